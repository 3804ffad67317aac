#include "controls/accessibility.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <functional>

#include "controls/command_button.h"
#include "controls/complex_list.h"
#include "controls/tool_button.h"
#include "platform/picture.h"

namespace lumora::controls {
namespace {

// A caption as it is read: its access-key mark dropped, "&&" a plain "&".
QString Spoken(QString caption) {
  caption.replace(QLatin1String("&&"), QChar(u'\x1'));
  caption.remove(QLatin1Char('&'));
  return caption.replace(QChar(u'\x1'), QLatin1Char('&'));
}

class ButtonInterface final : public QAccessibleWidget {
 public:
  ButtonInterface(QWidget* widget, std::function<QString()> caption, std::function<bool()> enabled,
                  std::function<void()> press)
      : QAccessibleWidget(widget, QAccessible::Button),
        caption_(std::move(caption)),
        enabled_(std::move(enabled)),
        press_(std::move(press)) {}

  QString text(QAccessible::Text kind) const override {
    if (kind != QAccessible::Name) return QAccessibleWidget::text(kind);
    // A name set by the window first, then the caption, then the tool tip.
    QString name = widget()->accessibleName();
    if (name.isEmpty()) name = Spoken(caption_());
    if (name.isEmpty()) name = widget()->toolTip();
    return name;
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    if (!Pressable()) {
      state.disabled = true;
      state.focusable = false;
    }
    return state;
  }

  QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

  void doAction(const QString& action) override {
    if (action == pressAction()) {
      if (Pressable()) press_();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  // As for a click or a key: the button's own command enabled, and the button
  // shown and not switched off, itself or by what holds it (the toolbar while
  // a search or an index build is under way).
  bool Pressable() const { return enabled_() && widget()->isEnabled() && widget()->isVisible(); }

  std::function<QString()> caption_;
  std::function<bool()> enabled_;
  std::function<void()> press_;
};

class RowInterface final : public QAccessibleInterface {
 public:
  RowInterface(ComplexList* list, int row) : list_(list), row_(row) {}

  bool isValid() const override { return list_ && row_ < list_->RowCount(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(list_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  void setText(QAccessible::Text, const QString&) override {}

  QString text(QAccessible::Text kind) const override {
    if (!isValid() || kind != QAccessible::Name) return {};
    QStringList cells;
    for (int column = 0; column < list_->ColumnCount(); ++column) {
      const QString cell = list_->CellText(column, row_);
      if (!cell.isEmpty()) cells.append(cell);
    }
    return cells.join(QStringLiteral(", "));
  }

  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    state.selectable = true;
    state.focusable = true;
    const bool selected = list_->ListIndex() == row_;
    state.selected = selected;
    state.focused = selected && list_->hasFocus();
    // A dimmed row stands for something no longer there: readers say it is unavailable.
    state.disabled = list_->RowDimmed(row_);
    const int first = list_->FirstRowInView(), last = list_->LastRowInView();
    state.invisible = row_ < first || row_ > last;
    state.offscreen = state.invisible;
    return state;
  }

  QRect rect() const override {
    if (!isValid() || state().invisible) return {};
    const QRect row = list_->RowRect(row_);
    return QRect(list_->mapToGlobal(row.topLeft()), row.size());
  }

 private:
  QPointer<ComplexList> list_;
  int row_;
};

// A list's rows, made as they are asked for and kept by the accessibility
// cache until the list goes.
class ListInterface final : public QAccessibleWidget {
 public:
  explicit ListInterface(ComplexList* list) : QAccessibleWidget(list, QAccessible::List) {}
  ~ListInterface() override {
    for (const QAccessible::Id id : std::as_const(rows_)) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return List()->RowCount(); }

  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    if (const auto found = rows_.constFind(index); found != rows_.cend()) return QAccessible::accessibleInterface(*found);
    auto* row = new RowInterface(List(), index);
    rows_.insert(index, QAccessible::registerAccessibleInterface(row));
    return row;
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child));
    return rows_.key(id, -1);
  }

  QString text(QAccessible::Text kind) const override {
    // The selected row tells what Enter would open.
    if (kind == QAccessible::Value) {
      const QAccessibleInterface* row = child(List()->ListIndex());  // none for no row or one past the end
      return row ? row->text(QAccessible::Name) : QString();
    }
    return QAccessibleWidget::text(kind);
  }

 private:
  ComplexList* List() const { return static_cast<ComplexList*>(widget()); }
  mutable QHash<int, QAccessible::Id> rows_;
};

QAccessibleInterface* Interface(const QString& className, QObject* object) {
  if (className == QLatin1String("lumora::controls::ToolButton")) {
    auto* button = static_cast<ToolButton*>(object);
    return new ButtonInterface(
        button, [button] { return button->Caption(); }, [button] { return button->CommandEnabled(); },
        [button] { button->Press(); });
  }
  if (className == QLatin1String("lumora::controls::CommandButton")) {
    auto* button = static_cast<CommandButton*>(object);
    return new ButtonInterface(
        button, [button] { return button->Caption(); }, [button] { return button->Enabled(); },
        [button] { emit button->Click(); });
  }
  if (className == QLatin1String("lumora::platform::Picture")) {
    auto* picture = static_cast<platform::Picture*>(object);
    if (!picture->Pressable()) return nullptr;
    return new ButtonInterface(
        picture, [] { return QString(); }, [picture] { return picture->Enabled(); }, [picture] { emit picture->Click(); });
  }
  if (className == QLatin1String("lumora::controls::ComplexList")) return new ListInterface(static_cast<ComplexList*>(object));
  return nullptr;
}

}  // namespace

void InstallAccessibility() { QAccessible::installFactory(&Interface); }

}  // namespace lumora::controls
