#include "controls/label_measurer.h"
#include "test_theme.h"

TEST(FitTextWithRealFonts, ShortenedTextFitsAndEndsInAnEllipsis) {
  platform::Label label;  // the hidden measuring label as the owner window has it
  label.SetFontSize(8.25);
  label.SetAutoSize(true);
  LabelMeasurer measurer(label);
  const QString title = QStringLiteral("Quillmark Lumora - Dynamic Help System");
  auto width = [&](const QString& text) {
    measurer.SetFont(QStringLiteral("DejaVu Sans"), true);
    measurer.SetText(text);
    return measurer.Width();
  };
  const int ellipsis = width(QStringLiteral("...")), full = width(title);
  auto fit = [&](const QString& text, int limit) {
    return content::FitText(measurer, text, limit, QStringLiteral("DejaVu Sans"), true, ellipsis);
  };
  EXPECT_EQ(fit(title, full + 1), title);
  for (int limit : {full, full / 2, 2000}) {
    SCOPED_TRACE(limit);
    const QString shorter = fit(title, limit);
    ASSERT_TRUE(shorter.endsWith(QStringLiteral("...")));
    EXPECT_TRUE(title.startsWith(shorter.chopped(3)));
    EXPECT_LE(width(shorter.chopped(3)) + ellipsis, limit);
  }
  EXPECT_EQ(fit(QStringLiteral("two words"), ellipsis / 2), QString());  // not even the dots fit
}
