#pragma once

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "platform/picture.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"
#include "settings/theme_images.h"

// 96 dpi and a theme with a distinct colour (0xBBGGRR) for every role, for the control tests.
inline void UseTestTheme() {
  using namespace lumora;
  settings::ComputePlatformFacts({15.0, 15.0, 1024, 768}, QStringLiteral("/a"), QStringLiteral("/s"), 0);
  settings::ThemeValues& t = settings::Theme();
  t = settings::ThemeValues();
  t.theme_text = QStringLiteral("DejaVu Sans");
  t.theme_invert = 0x0000FF;       // red
  t.theme_invertlight = 0x00FFFF;  // yellow
  t.theme_high = 0x00FF00;         // green
  t.theme_highlight = 0xFF0000;    // blue
  t.theme_color = 0x800000;        // navy
  t.theme_light = 0xF0F0F0;
  t.theme_vague = 0xE0E0E0;
  t.theme_shade = 0xC0C0C0;
  t.theme_shadow = 0x808080;
  t.theme_dark = 0x404040;
  t.theme_pitch = 0x101010;
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

// A picture of one colour, and the colour a picture shows.
inline QPixmap Filled(const QColor& colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(colour);
  return pixmap;
}
inline QColor Shown(const lumora::platform::Picture* picture) { return picture->Image().toImage().pixelColor(1, 1); }
