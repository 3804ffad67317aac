#include <gtest/gtest.h>

#include <QFontMetrics>

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
    measurer.SetFont(QStringLiteral("DejaVu Sans"), false);
    measurer.SetText(QStringLiteral("..."));
    ellipsis = measurer.Width();
  }
};

}  // namespace

TEST(FitTextWithRealFonts, ShortenedTextFitsAndEndsInAnEllipsis) {
  Measuring m;
  const QString title = QStringLiteral("Quillmark Lumora - Dynamic Help System");
  m.measurer.SetFont(QStringLiteral("DejaVu Sans"), true);
  m.measurer.SetText(title);
  const int full = m.measurer.Width();

  EXPECT_EQ(content::FitText(m.measurer, title, full + 1, QStringLiteral("DejaVu Sans"), true, m.ellipsis), title);
  const QString fitted = content::FitText(m.measurer, title, full, QStringLiteral("DejaVu Sans"), true, m.ellipsis);
  EXPECT_TRUE(fitted.endsWith(QStringLiteral("...")));
  EXPECT_LT(fitted.size(), title.size() + 3);

  for (int limit : {full / 2, full / 4, 2000}) {
    SCOPED_TRACE(limit);
    const QString shorter =
        content::FitText(m.measurer, title, limit, QStringLiteral("DejaVu Sans"), true, m.ellipsis);
    ASSERT_TRUE(shorter.endsWith(QStringLiteral("...")));
    m.measurer.SetText(shorter.chopped(3));
    EXPECT_LE(m.measurer.Width() + m.ellipsis, limit);
    EXPECT_TRUE(title.startsWith(shorter.chopped(3)));
  }
  // Bold text is wider, so it is cut earlier.
  const QString regular = content::FitText(m.measurer, title, full / 2, QStringLiteral("DejaVu Sans"), false, m.ellipsis);
  const QString bold = content::FitText(m.measurer, title, full / 2, QStringLiteral("DejaVu Sans"), true, m.ellipsis);
  EXPECT_GT(regular.size(), bold.size());
}

TEST(FitTextWithRealFonts, NothingFitsGivesEmptyText) {
  Measuring m;
  EXPECT_EQ(content::FitText(m.measurer, QStringLiteral("two words"), m.ellipsis / 2, QStringLiteral("DejaVu Sans"),
                             false, m.ellipsis),
            QString());
  EXPECT_EQ(content::FitText(m.measurer, QStringLiteral("oneword"), 1, QStringLiteral("DejaVu Sans"), false,
                             m.ellipsis),
            QStringLiteral("oneword"));
}

TEST(MeasureLineHeight, AgreesWithALabelHoldingOneLine) {
  Measuring m;
  m.measurer.SetText(QStringLiteral("Line"));
  for (const bool bold : {false, true}) {
    platform::Label one;
    one.SetFontName(QStringLiteral("DejaVu Serif"));
    one.SetFontSize(8.25);
    one.SetFontBold(bold);
    one.SetAutoSize(true);
    one.SetCaption(QStringLiteral("Any text"));
    EXPECT_EQ(content::MeasureLineHeight(m.measurer, QStringLiteral("DejaVu Serif"), bold), one.Height());
  }
}
