#include "controls/label_measurer.h"
#include "test_theme.h"

namespace lumora::controls {

// The hidden measuring label as the owner window has it, in DejaVu Sans.
struct Measuring {
  platform::Label label;
  LabelMeasurer measurer{label};
  int ellipsis = 0;

  Measuring() {
    label.SetVisible(false);
    label.SetFontSize(8.25);
    label.SetAutoSize(true);
    ellipsis = Width(QStringLiteral("..."));
  }
  int Width(const QString& text) {
    measurer.SetFont(QStringLiteral("DejaVu Sans"), true);
    measurer.SetText(text);
    return measurer.Width();
  }
  QString Fit(const QString& text, int limit, bool bold = true) {
    return content::FitText(measurer, text, limit, QStringLiteral("DejaVu Sans"), bold, ellipsis);
  }
};

TEST(FitTextWithRealFonts, ShortenedTextFitsAndEndsInAnEllipsis) {
  Measuring m;
  const QString title = QStringLiteral("Quillmark Lumora - Dynamic Help System");
  const int full = m.Width(title);
  EXPECT_EQ(m.Fit(title, full + 1), title);
  for (int limit : {full, full / 2, 2000}) {
    SCOPED_TRACE(limit);
    const QString shorter = m.Fit(title, limit);
    ASSERT_TRUE(shorter.endsWith(QStringLiteral("...")));
    EXPECT_TRUE(title.startsWith(shorter.chopped(3)));
    EXPECT_LE(m.Width(shorter.chopped(3)) + m.ellipsis, limit);
  }
  EXPECT_GT(m.Fit(title, full / 2, false).size(), m.Fit(title, full / 2).size());  // bold is wider, so cut earlier
  EXPECT_EQ(m.Fit(QStringLiteral("two words"), m.ellipsis / 2), QString());  // not even the dots fit
}

}  // namespace lumora::controls
