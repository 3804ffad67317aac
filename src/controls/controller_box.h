#pragma once

#include <QIcon>
#include <array>

#include "controls/skin.h"
#include "platform/container.h"
#include "platform/hot_spot.h"
#include "platform/label.h"
#include "platform/line.h"
#include "platform/picture.h"
#include "platform/shape.h"

namespace lumora::controls {

// The status box shown in front of the page during long operations: a
// textured panel with an embossed title, a small picture, a double rule and
// a three-line border. It holds the host's message label and picture.
class ControllerBox final : public platform::Container {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ControllerBox)

 public:
  explicit ControllerBox(QWidget* parent = nullptr);

  QString Caption() const { return ClBCaption[0]->Caption(); }
  void SetCaption(const QString& captionValue);
  // The title and the picture: 0 the application's icon, otherwise that
  // picture of the toolbar list.
  void ControllerProperty(const QString& captionValue, int picLdrValue);
  int PictureIndex() const { return pictureIndex_; }
  void ResetControl(SharedSkin skin);
  // Changes the enabled state only, not the look.
  void SetEnabled(bool enabledValue) { platform::Container::SetEnabled(enabledValue); }

  platform::Picture* ClBBackGround = nullptr;
  std::array<platform::Picture*, 1> ClBHolder{};
  std::array<platform::Shape*, 3> ClBEffect{};
  std::array<platform::Label*, 2> ClBCaption{};
  std::array<platform::Picture*, 1> ClBImage{};
  std::array<platform::Line*, 2> NormLine{};
  platform::HotSpot* ClBHotSpot = nullptr;

 signals:
  void Click();

 protected:
  void OnResize() override;

 private:
  SharedSkin skin_ = PlainSkin();  // the window's, from ResetControl
  QPixmap ApplicationIcon() const;

  int pictureIndex_ = 0;
};

}  // namespace lumora::controls
