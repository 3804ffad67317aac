#include <QAccessible>

#include "controls/accessibility.h"
#include "controls/command_button.h"
#include "controls/tool_button.h"
#include "test_theme.h"

class AccessibilityTest : public ComplexListTest {
 protected:
  static void SetUpTestSuite() { InstallAccessibility(); }  // before any control is shown and asked for
  static QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
};

TEST_F(AccessibilityTest, ButtonsAndListRowsAreNamedWithTheirStateAndButtonsPressableWhileTheirCommandIsOn) {
  // Far longer than its cell: the reader hears it whole, not cut with "...".
  const QString longSubject = QStringLiteral("Printing & a page with its pictures, ") + QString(200, QLatin1Char('x'));
  core::StringTable table = Table(43);
  table.Set(0, 1, longSubject);
  control_->Submit_Data_Array(table, 1);
  control_->SetListIndex(1);

  QAccessibleInterface* rows = Of(control_);
  ASSERT_EQ(rows->childCount(), 43);
  QAccessibleInterface* row = rows->child(1);
  EXPECT_EQ(row->text(QAccessible::Name), longSubject + QStringLiteral(", 7"));
  EXPECT_EQ(rows->text(QAccessible::Value), row->text(QAccessible::Name));  // what Enter would open
  const auto valueAt = [&](int row) { control_->SetListIndex(row); return rows->text(QAccessible::Value); };
  EXPECT_EQ((std::array{valueAt(0), valueAt(-1)}), (std::array{rows->child(0)->text(QAccessible::Name), QString()}));  // the first too; none
  control_->SetListIndex(1);
  EXPECT_EQ(std::tuple(row->role(), bool(row->state().selected), bool(row->state().selectable), bool(row->state().focusable),
                       bool(row->state().focused), row->indexOfChild(rows)),
            std::tuple(QAccessible::ListItem, true, true, true, false, -1));  // focused only with the list's focus
  control_->setAccessibleName(QStringLiteral("Topics"));
  EXPECT_EQ(rows->text(QAccessible::Name), QStringLiteral("Topics"));  // the list's own name, not a row's
  EXPECT_EQ(row->window(), window_.windowHandle());  // where a reader's tool finds it on screen
  EXPECT_EQ(std::pair(rows->indexOfChild(rows->child(1)), rows->child(43) == nullptr), std::pair(1, true));  // the same item each time asked for
  EXPECT_EQ(std::pair(bool(rows->child(0)->state().offscreen), bool(rows->child(42)->state().offscreen)), std::pair(false, true));  // 42 is below the view
  EXPECT_EQ(std::pair(rows->child(0)->rect().isEmpty(), rows->child(42)->rect().isEmpty()), std::pair(false, true));  // and has no place on screen
  control_->SetListIndex(42);  // scrolled to the end: the first rows are out of view
  EXPECT_TRUE(rows->child(0)->state().offscreen);
  control_->SetDimmedRows({false, true});
  EXPECT_EQ((std::array{bool(rows->child(0)->state().disabled), bool(rows->child(1)->state().disabled),
                        bool(rows->child(2)->state().disabled)}), (std::array{false, true, false}));

  QAccessibleInterface* last = rows->child(42);
  control_->Submit_Data_Array(Table(42), 1);
  EXPECT_EQ(std::tuple(rows->childCount(), last->isValid(), bool(last->state().invalid)), std::tuple(42, false, true));  // a row gone says so to a reader

  auto* tool = new ToolButton(&window_);
  tool->ToolProperty(4, QStringLiteral("Index"), 5, true, 0);
  auto* print = new ToolButton(&window_);
  print->ToolProperty(8, QString(), 9, false, 1);
  print->setToolTip(QStringLiteral("Print (Ctrl+P)"));
  auto* close = new platform::Picture(&window_);
  close->SetPressable(true);
  auto* texture = new platform::Picture(&window_);
  auto* search = new CommandButton(&window_);
  search->SetCaption(QStringLiteral("Search && find"));  // shown "Search & find", S the access key

  QSignalSpy clicks(tool, &ToolButton::Click);
  QSignalSpy printed(print, &ToolButton::Click);
  const auto press = [](QObject* button) { Of(button)->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); };
  for (ToolButton* button : {tool, print}) button->show(), press(button);
  // Pressed as a click would be: not while the button's command is off (Print on the question form), nor
  // while the button or what holds it is switched off (the toolbar during a search).
  window_.setEnabled(false);
  press(tool);
  window_.setEnabled(true);
  EXPECT_EQ(clicks, QList<QVariantList>{{4}});
  EXPECT_TRUE(Of(tool)->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
  EXPECT_EQ((QStringList{Of(tool)->text(QAccessible::Name), Of(print)->text(QAccessible::Name), Of(search)->text(QAccessible::Name)}),
            (QStringList{QStringLiteral("Index"), QStringLiteral("Print (Ctrl+P)"), QStringLiteral("Search & find")}));
  EXPECT_EQ(std::tuple(bool(Of(print)->state().disabled), bool(Of(print)->state().focusable), printed.isEmpty()), std::tuple(true, false, true));
  for (QObject* b : std::initializer_list<QObject*>{tool, close, search}) EXPECT_EQ(Of(b)->role(), QAccessible::Button);
  EXPECT_NE(Of(texture)->role(), QAccessible::Button);  // a picture that is no button
}
