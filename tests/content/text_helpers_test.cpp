#include <gtest/gtest.h>

#include "content/text_helpers.h"

using namespace lumora::content;

TEST(EscapeForDisplay, AmpersandsAndSoftLineBreaks) {
  EXPECT_EQ(EscapeForDisplay(QByteArray("Fish &amp; Chips & more")), QByteArray("Fish and Chips && more"));
  EXPECT_EQ(EscapeForDisplay(QByteArray("long=\r\nline a=b\r\n &amp;amp;")), QByteArray("longline a=b\r\n andamp;"));
  EXPECT_EQ(EscapeForDisplay(QStringLiteral("Tips &amp; Tricks & more=\r\n")), QStringLiteral("Tips and Tricks && more"));
  EXPECT_EQ(DecodeCharacterReferences(QStringLiteral("&; &lt;")), QStringLiteral("&; <"));  // an empty name is no reference
}

TEST(NameKeyAndDigitsOnly, KeepTheirCharacterClasses) {  // each class's edges: ' ', '/', '0', '9', ':', '@', 'z', '{'
  EXPECT_EQ(NameKey(QString::fromUtf8("Page2-Setup a[b]\\c^d_e`f{g}~h @1 caf\u00e9\t\u20acuro \u03b1\u03b2 \u6f22xz")),
            QStringLiteral("PageSetupa[b]\\c^d_e`fghcaf\turoxz"));
  EXPECT_EQ(DigitsOnly(QString::fromUtf8("\u20ac12\u0663 -3.5e\x01 /09:")), QStringLiteral("1235\x01" "09"));
}

namespace {

// Every character is 100 twips wide and a line 200 high; counts what fitting costs.
struct FixedWidthMeasurer final : TextMeasurer {
  void SetFont(const QString& fontName, bool) override { font = fontName; }
  void SetText(const QString& value) override { text = value; }
  QString Text() const override { return text; }
  int Width() const override {
    measured += text.size();
    return static_cast<int>(text.size()) * 100;
  }
  int Height() const override { return 200; }

  QString text, font;
  mutable qsizetype measured = 0;
};

}  // namespace

TEST(FitText, ShortensWithAnEllipsisUntilItFits) {
  const QString pair = QString::fromUcs4(U"\U0001F600");
  const QString two = QStringLiteral("two words");  // 900 wide; 6 characters and a 300-wide ellipsis fit
  const struct { QString text; int maxWidth; QString fitted; } cases[] = {
      {two, 901, two}, {two, 900, QStringLiteral("two wo...")}, {two, 350, QString()}, {two, 0, QString()},
      {QStringLiteral("Supercalifragilistic"), 1, QStringLiteral("Supercalifragilistic")},  // no blank
      // Four characters fit before the ellipsis: never half of "&&" or of a surrogate pair.
      {QStringLiteral("ab &&cdef gh"), 750, QStringLiteral("ab ...")},
      {QStringLiteral("ab&&cdef gh"), 750, QStringLiteral("ab&&...")},
      {QStringLiteral("ab ") + pair + QStringLiteral("cdef gh"), 750, QStringLiteral("ab ...")}};
  FixedWidthMeasurer m;
  for (const auto& c : cases)
    EXPECT_EQ(FitText(m, c.text, c.maxWidth, QStringLiteral("Tahoma"), true, 300), c.fitted) << c.text.toStdString();
  EXPECT_EQ(MeasureLineHeight(m, QStringLiteral("Verdana"), false), 200);
  EXPECT_EQ(m.font, QStringLiteral("Verdana"));
  // A long text costs a few measurements of about what can show (297 characters and the ellipsis fit).
  const QString text = QStringLiteral("word ").repeated(41 * 1024);
  m = FixedWidthMeasurer();
  EXPECT_EQ(FitText(m, text, 30000, QString(), false, 300), text.left(297) + QStringLiteral("..."));
  EXPECT_LE(m.measured, 20 * 600);
}
