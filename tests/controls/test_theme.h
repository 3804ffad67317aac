#pragma once

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "platform/picture.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"
#include "settings/theme_images.h"

// The control tests name the controls, platform::, settings:: and content:: without lumora::.
using namespace lumora;
using namespace lumora::controls;

// 96 dpi and a distinct colour (0xBBGGRR) for every theme role: navy for the theme colour, greys for the frames.
inline void UseTestTheme() {
  settings::ComputePlatformFacts({15.0, 15.0, 1024, 768}, QStringLiteral("/a"), QStringLiteral("/s"), 0);
  settings::Theme() = {.theme_text = QStringLiteral("DejaVu Sans"), .theme_font = {}, .theme_icon = 0,
                       .theme_invert = 0x0000FF, .theme_invertlight = 0x00FFFF, .theme_high = 0x00FF00,
                       .theme_highlight = 0xFF0000, .theme_light = 0xF0F0F0, .theme_shade = 0xC0C0C0,
                       .theme_vague = 0xE0E0E0, .theme_color = 0x800000, .theme_shadow = 0x808080,
                       .theme_dark = 0x404040, .theme_pitch = 0x101010};
}

// A control placed at the given twips in a shown window, after the test theme and a reset.
template <class Control>
class ControlTest : public testing::Test {
 protected:
  explicit ControlTest(QRect twips) {
    UseTestTheme();
    control_ = new Control(&window_);
    control_->Move(twips.x(), twips.y(), twips.width(), twips.height());
    control_->ResetControl();
    window_.resize(400, 400);
    window_.show();
  }
  QWidget window_;
  Control* control_ = nullptr;
};

inline QPixmap Filled(const QColor& colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(colour);
  return pixmap;
}
inline void Pictures(int set, std::initializer_list<QColor> colours) {
  settings::PictureLoader(set).Clear();
  for (const QColor& colour : colours) settings::PictureLoader(set).Add(Filled(colour));
}
inline QColor Shown(const platform::Picture* picture) { return picture->Image().toImage().pixelColor(1, 1); }
