#include <gtest/gtest.h>

#include "content/text_helpers.h"
#include "controls/label_measurer.h"

using namespace lumora;

namespace {

// The hidden measuring label as the owner window has it.
struct Measuring {
  platform::Label label;
  controls::LabelMeasurer measurer{label};
  int ellipsis = 0;

  Measuring() {
    label.SetVisible(false);
    label.SetFontSize(8.25);
    label.SetAutoSize(true);
    ellipsis = Width(QStringLiteral("..."), false);
  }
  int Width(const QString& text, bool bold) {
    measurer.SetFont(QStringLiteral("DejaVu Sans"), bold);
    measurer.SetText(text);
    return measurer.Width();
  }
  QString Fit(const QString& text, int limit, bool bold) {
    return content::FitText(measurer, text, limit, QStringLiteral("DejaVu Sans"), bold, ellipsis);
  }
};

}  // namespace

TEST(FitTextWithRealFonts, ShortenedTextFitsAndEndsInAnEllipsis) {
  Measuring m;
  const QString title = QStringLiteral("Quillmark Lumora - Dynamic Help System");
  const int full = m.Width(title, true);
  EXPECT_EQ(m.Fit(title, full + 1, true), title);
  for (int limit : {full, full / 2, 2000}) {
    SCOPED_TRACE(limit);
    const QString shorter = m.Fit(title, limit, true);
    ASSERT_TRUE(shorter.endsWith(QStringLiteral("...")));
    EXPECT_TRUE(title.startsWith(shorter.chopped(3)));
    EXPECT_LE(m.Width(shorter.chopped(3), true) + m.ellipsis, limit);
  }
  // Bold text is wider, so it is cut earlier.
  EXPECT_GT(m.Fit(title, full / 2, false).size(), m.Fit(title, full / 2, true).size());
  // Where not even the dots fit nothing is shown; a single word is never cut.
  EXPECT_EQ(m.Fit(QStringLiteral("two words"), m.ellipsis / 2, false), QString());
  EXPECT_EQ(m.Fit(QStringLiteral("oneword"), 1, false), QStringLiteral("oneword"));
}

TEST(MeasureLineHeight, AgreesWithALabelHoldingOneLine) {
  Measuring m;
  platform::Label one;
  one.SetFontName(QStringLiteral("DejaVu Serif"));
  one.SetFontSize(8.25);
  one.SetAutoSize(true);
  one.SetCaption(QStringLiteral("Any text"));
  EXPECT_EQ(content::MeasureLineHeight(m.measurer, QStringLiteral("DejaVu Serif"), false), one.Height());
}
