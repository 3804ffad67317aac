#pragma once

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "controls/complex_list.h"
#include "platform/picture.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"
#include "controls/skin.h"

// The control tests name the controls, platform::, settings:: and content:: without lumora::.
using namespace lumora;
using namespace lumora::controls;

inline QPixmap Filled(const QColor& colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(colour);
  return pixmap;
}

// A control placed at the given twips in a shown window, reset with the test skin.
template <class Control>
class ControlTest : public testing::Test {
 protected:
  explicit ControlTest(QRect twips) {
    // 96 dpi and a distinct colour (0xBBGGRR) for every theme role: navy the theme colour, greys the frames.
    settings::ComputePlatformFacts({15.0, 15.0, 1024, 768}, QStringLiteral("/a"), QStringLiteral("/s"), 0);
    skin_->theme = {.theme_text = QStringLiteral("DejaVu Sans"), .theme_font = {}, .theme_icon = 0, .theme_invert = 0x0000FF,
                    .theme_invertlight = 0x00FFFF, .theme_high = 0x00FF00, .theme_highlight = 0xFF0000, .theme_light = 0xF0F0F0,
                    .theme_shade = 0xC0C0C0, .theme_vague = 0xE0E0E0, .theme_color = 0x800000, .theme_shadow = 0x808080,
                    .theme_dark = 0x404040, .theme_pitch = 0x101010};
    control_ = new Control(&window_);
    control_->Move(twips.x(), twips.y(), twips.width(), twips.height());
    control_->ResetControl(skin_);
    window_.resize(400, 400);
    window_.show();
  }
  void Pictures(int set, std::initializer_list<QColor> colours) {
    skin_->Pictures(set).Clear();
    for (const QColor& colour : colours) skin_->Pictures(set).Add(Filled(colour));
  }
  std::shared_ptr<Skin> skin_ = std::make_shared<Skin>();
  QWidget window_;
  Control* control_ = nullptr;
};
inline QColor Shown(const platform::Picture* picture) { return picture->Image().toImage().pixelColor(1, 1); }

inline core::StringTable Table(int rows) {  // topics 0, 1 ... with 0, 7 ... hits
  core::StringTable table(3);
  for (int r = 0; r < rows; ++r) {
    table.Set(0, table.Grow(), QStringLiteral("topic %1").arg(r));
    table.Set(1, r, QString::number(r * 7));
  }
  return table;
}

class ComplexListTest : public ControlTest<ComplexList> {
 protected:
  // Columns are laid out when the width changes, so the titles come first.
  ComplexListTest() : ControlTest({0, 0, 0, 3000}) {
    list_->Setup_Cols_Headers({{QStringLiteral("Topic"), 3}, {QStringLiteral("Hits"), 1}});
    list_->SetWidth(4000 + 75);  // a usable width of 4000 without the scroll bar
  }
  bool Submit(int rows) {  // whether the scroll bar shows afterwards
    list_->Submit_Data_Array(Table(rows), 1);
    return list_->VScrollButton->Visible();
  }
  int Top() const { return list_->CxLColText[0]->Top(); }
  int SelectorTop(int row) const { return row * list_->RowHeight() + Top(); }
  QPoint Middle(int row) const { return {10, (row * list_->RowHeight() + list_->RowHeight() / 2) / 15}; }  // pixels

  ComplexList* const& list_ = control_;
};
