#pragma once

#include <QSet>

#include <QStringList>

#include "controls/skin.h"
#include "platform/form_element.h"
#include "platform/hot_spot.h"
#include "platform/label.h"
#include "platform/picture.h"
#include "platform/shape.h"

class QLineEdit;

namespace lumora::controls {

// The single-line text entry in a themed frame of fixed height, with an
// optional drop-down button whose list the host shows.
class WriteBox final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(WriteBox)

 public:
  static constexpr int kHeight = 270;  // fixed twips, not a pixel multiple

  explicit WriteBox(QWidget* parent = nullptr);

  // Drop-down owner, read-only, bold text, and "*" for every character.
  void WriteProperty(const QString& ddpValue, bool lockedValue, bool boldValue, bool passwordType);
  // Shows row index of the list; an index that names no row does nothing.
  void SwitchToIndex(int index);
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int indexValue) { SwitchToIndex(indexValue); }
  void SetEnabled(bool enabledValue);
  QString DropDownParent() const { return dropDownParent_; }
  void SetDropDownParent(const QString& ddpValue);
  int SelectionStart() const;
  void SetSelectionStart(int sStartValue);
  // The text without CR LF pairs.
  QString Text() const;
  void SetText(const QString& textValue);
  QString ClickTag() const { return clickTag_; }
  void DDList_Clear();
  void DDList_Add(const QString& addValue, const QString& tagValue);
  int DDListCount() const { return static_cast<int>(texts_.size()); }
  QString DDListText(int row) const { return texts_.value(row); }
  void ResetControl(SharedSkin skin);

  platform::Shape* WrBEffect0 = nullptr;
  platform::Shape* WrBEffect1 = nullptr;
  platform::Picture* WrBArrow0 = nullptr;
  platform::HotSpot* WrbHotSpot = nullptr;
  platform::Label* WrBWhiteness = nullptr;
  QLineEdit* WrBText = nullptr;

 signals:
  void KeyPressed(int KeyCode, int Shift);
  void Changed();
  void DropClick(int SelectedIndex);

 protected:
  void OnResize() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  SharedSkin skin_ = PlainSkin();  // the window's, from ResetControl
  void Layout();
  // Every colour, the arrow's picture and the font, from the theme and
  // whether the box is enabled.
  void ApplyLook();
  void ApplyTextColours(int text, int background);
  void OnKeyReleased(int keyCode, int shift);

  QString dropDownParent_;
  QStringList texts_{QString()};
  QStringList tags_{QString()};
  int listIndex_ = 0;
  QString clickTag_;
  int backColour_ = 0xFFFFFF;
  QSet<int> pressedKeys_;  // keys pressed in the box and not yet released
};

}  // namespace lumora::controls
