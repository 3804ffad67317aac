#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "content/text_helpers.h"

using namespace lumora::content;

TEST(EscapeForDisplay, AmpersandsAndSoftLineBreaks) {
  EXPECT_EQ(EscapeForDisplay(QByteArray("Fish &amp; Chips & more")), QByteArray("Fish and Chips && more"));
  EXPECT_EQ(EscapeForDisplay(QStringLiteral("Tips &amp; Tricks")), QStringLiteral("Tips and Tricks"));
  EXPECT_EQ(EscapeForDisplay(QStringLiteral("a & b")), QStringLiteral("a && b"));
  EXPECT_EQ(EscapeForDisplay(QByteArray("long=\r\nline a=b\r\n")), QByteArray("longline a=b\r\n"));
  EXPECT_EQ(EscapeForDisplay(QByteArray("&amp;amp;")), QByteArray("andamp;"));
  EXPECT_EQ(EscapeForDisplay(QByteArray()), QByteArray());
  EXPECT_EQ(DecodeCharacterReferences(QStringLiteral("&; &lt;")), QStringLiteral("&; <"));  // an empty name is no reference
}

TEST(NameKeyAndDigitsOnly, KeepTheirCharacterClasses) {
  EXPECT_EQ(NameKey(QStringLiteral("page2-setup")), QStringLiteral("pagesetup"));
  EXPECT_EQ(NameKey(QStringLiteral("Page2-Setup")), QStringLiteral("PageSetup"));
  EXPECT_EQ(NameKey(QStringLiteral("a[b]\\c^d_e`f{g}~h @1")), QStringLiteral("a[b]\\c^d_e`fgh"));
  EXPECT_EQ(NameKey(QString::fromUtf8("caf\u00e9\t")), QStringLiteral("caf\t"));
  EXPECT_EQ(NameKey(QString::fromUtf8("\u20acuro \u03b1\u03b2 \u6f22x")), QStringLiteral("urox"));
  EXPECT_EQ(DigitsOnly(QString::fromUtf8("\u20ac12\u0663")), QStringLiteral("12"));
  EXPECT_EQ(DigitsOnly(QStringLiteral("Item 12a")), QStringLiteral("12"));
  EXPECT_EQ(DigitsOnly(QStringLiteral("frmlb05")), QStringLiteral("05"));
  EXPECT_EQ(DigitsOnly(QStringLiteral("-3.5e\x01")), QStringLiteral("35\x01"));
  EXPECT_EQ(DigitsOnly(QStringLiteral(" /09:")), QStringLiteral("09"));  // the classes' edges
  EXPECT_EQ(DigitsOnly(QStringLiteral("none")), QString());
}

TEST(ReadWholeFile, GivesEveryByteOrNothing) {
  QTemporaryDir dir;
  QByteArray bytes;
  for (int i = 0; i < 256; ++i) bytes.append(static_cast<char>(i));
  QFile file(dir.path() + QStringLiteral("/All.bin"));
  file.open(QIODevice::WriteOnly);
  file.write(bytes);
  file.close();
  EXPECT_EQ(ReadWholeFile(dir.path() + QStringLiteral("/all.bin")), bytes);
  EXPECT_EQ(ReadWholeFile(dir.path() + QStringLiteral("/missing.bin")), QByteArray());
  EXPECT_EQ(ReadWholeFile(dir.path()), QByteArray());
}

namespace {

// A measurer where every character is 100 twips wide and a line 200 high.
class FixedWidthMeasurer final : public TextMeasurer {
 public:
  void SetFont(const QString& fontName, bool bold) override {
    font = fontName;
    this->bold = bold;
  }
  void SetText(const QString& value) override { text = value; }
  QString Text() const override { return text; }
  int Width() const override { return static_cast<int>(text.size()) * 100; }
  int Height() const override { return 200; }

  QString text;
  QString font;
  bool bold = false;
};

}  // namespace

TEST(FitText, ShortensWithAnEllipsisUntilItFits) {
  FixedWidthMeasurer m;
  // "two words" is 900 wide; with a 300-wide ellipsis, 6 characters fit in 900.
  EXPECT_EQ(FitText(m, QStringLiteral("two words"), 901, QStringLiteral("Tahoma"), true, 300),
            QStringLiteral("two words"));
  EXPECT_EQ(FitText(m, QStringLiteral("two words"), 900, QStringLiteral("Tahoma"), true, 300),
            QStringLiteral("two wo..."));  // equal width counts as too wide
  EXPECT_EQ(m.font, QStringLiteral("Tahoma"));
  EXPECT_TRUE(m.bold);
  EXPECT_EQ(FitText(m, QStringLiteral("two words"), 350, QString(), false, 300), QStringLiteral(""));
  EXPECT_EQ(FitText(m, QStringLiteral("two words"), 400, QString(), false, 300), QStringLiteral("t..."));
}

TEST(FitText, SingleWordsAndZeroWidth) {
  FixedWidthMeasurer m;
  EXPECT_EQ(FitText(m, QStringLiteral("Supercalifragilistic"), 1, QString(), false, 300),
            QStringLiteral("Supercalifragilistic"));
  EXPECT_EQ(FitText(m, QStringLiteral("two words"), 0, QString(), false, 300), QString());
  EXPECT_EQ(MeasureLineHeight(m, QStringLiteral("Verdana"), false), 200);
}

TEST(FitText, NeverCutsASurrogatePairOrAnEscapedAmpersand) {
  struct Case {
    const char* what;
    QString text;
    QString fitted;
  };
  // Four characters fit before the ellipsis; the fourth would split a pair.
  const Case cases[] = {
      {"between the two halves of &&", QStringLiteral("ab &&cdef gh"), QStringLiteral("ab ...")},
      {"after a whole &&", QStringLiteral("ab&&cdef gh"), QStringLiteral("ab&&...")},
      {"inside a surrogate pair", QStringLiteral("ab ") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("cdef gh"),
       QStringLiteral("ab ...")},
  };
  FixedWidthMeasurer m;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FitText(m, c.text, 750, QString(), false, 300), c.fitted);
  }
}

namespace {

// Counts what fitting costs: measurements and the characters measured.
class CountingMeasurer final : public TextMeasurer {
 public:
  void SetFont(const QString&, bool) override {}
  void SetText(const QString& value) override { text = value; }
  QString Text() const override { return text; }
  int Width() const override {
    ++measurements;
    measured += text.size();
    return static_cast<int>(text.size()) * 100;
  }
  int Height() const override { return 200; }

  QString text;
  mutable int measurements = 0;
  mutable qsizetype measured = 0;
};

}  // namespace

TEST(FitText, ALongTextCostsAFewMeasurementsOfWhatCanShow) {
  QString text;
  while (text.size() < 200 * 1024) text += QStringLiteral("word ");
  CountingMeasurer m;
  // 297 characters and the ellipsis fit in 30,000 twips.
  EXPECT_EQ(FitText(m, text, 30000, QString(), false, 300), text.left(297) + QStringLiteral("..."));
  EXPECT_LE(m.measurements, 20);
  EXPECT_LE(m.measured, 20 * 600);
}
