#pragma once

#include "content/text_helpers.h"
#include "platform/label.h"

namespace lumora::controls {

// Measures texts in a label that sizes itself to its text (the owner
// window's hidden GenLabel).
class LabelMeasurer final : public content::TextMeasurer {
 public:
  explicit LabelMeasurer(platform::Label& label) : label_(label) {}

  void SetFont(const QString& fontName, bool bold) override {
    label_.SetFontName(fontName);
    label_.SetFontBold(bold);
  }
  void SetText(const QString& text) override { label_.SetCaption(text); }
  QString Text() const override { return label_.Caption(); }
  int Width() const override { return label_.Width(); }
  int Height() const override { return label_.Height(); }

 private:
  platform::Label& label_;
};

}  // namespace lumora::controls
