#include "content/text_helpers.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <type_traits>

#include "core/files.h"

namespace lumora::content {
namespace {

// A piece of ASCII as each kind of text takes it.
template <typename Text>
using Piece = std::conditional_t<std::is_same_v<Text, QString>, QLatin1StringView, QByteArrayView>;

template <typename Text>
Text AmpAsAnd(Text text) {
  return text.replace(Piece<Text>(kAmpReference), Piece<Text>(kAmpWord));
}

template <typename Text>
Text Doubled(Text text) {
  text.replace(Piece<Text>("&"), Piece<Text>("&&"));
  return text.replace(Piece<Text>("=\r\n"), Piece<Text>(""));
}

struct NamedCharacter {
  const char* name;
  char32_t character;
};

// The named character references of HTML 4, by their lower-case names (the
// texts they are read from are lower case already), in name order.
constexpr NamedCharacter kNamedCharacters[] = {
    {"aacute", 0x00E1}, {"acirc", 0x00E2}, {"acute", 0x00B4}, {"aelig", 0x00E6}, {"agrave", 0x00E0},
    {"alefsym", 0x2135}, {"alpha", 0x03B1}, {"amp", 0x0026}, {"and", 0x2227}, {"ang", 0x2220}, {"aring", 0x00E5},
    {"asymp", 0x2248}, {"atilde", 0x00E3}, {"auml", 0x00E4}, {"bdquo", 0x201E}, {"beta", 0x03B2},
    {"brvbar", 0x00A6}, {"bull", 0x2022}, {"cap", 0x2229}, {"ccedil", 0x00E7}, {"cedil", 0x00B8}, {"cent", 0x00A2},
    {"chi", 0x03C7}, {"circ", 0x02C6}, {"clubs", 0x2663}, {"cong", 0x2245}, {"copy", 0x00A9}, {"crarr", 0x21B5},
    {"cup", 0x222A}, {"curren", 0x00A4}, {"dagger", 0x2020}, {"darr", 0x2193}, {"deg", 0x00B0}, {"delta", 0x03B4},
    {"diams", 0x2666}, {"divide", 0x00F7}, {"eacute", 0x00E9}, {"ecirc", 0x00EA}, {"egrave", 0x00E8},
    {"empty", 0x2205}, {"emsp", 0x2003}, {"ensp", 0x2002}, {"epsilon", 0x03B5}, {"equiv", 0x2261}, {"eta", 0x03B7},
    {"eth", 0x00F0}, {"euml", 0x00EB}, {"euro", 0x20AC}, {"exist", 0x2203}, {"fnof", 0x0192}, {"forall", 0x2200},
    {"frac12", 0x00BD}, {"frac14", 0x00BC}, {"frac34", 0x00BE}, {"frasl", 0x2044}, {"gamma", 0x03B3},
    {"ge", 0x2265}, {"gt", 0x003E}, {"harr", 0x2194}, {"hearts", 0x2665}, {"hellip", 0x2026}, {"iacute", 0x00ED},
    {"icirc", 0x00EE}, {"iexcl", 0x00A1}, {"igrave", 0x00EC}, {"image", 0x2111}, {"infin", 0x221E}, {"int", 0x222B},
    {"iota", 0x03B9}, {"iquest", 0x00BF}, {"isin", 0x2208}, {"iuml", 0x00EF}, {"kappa", 0x03BA}, {"lambda", 0x03BB},
    {"lang", 0x2329}, {"laquo", 0x00AB}, {"larr", 0x2190}, {"lceil", 0x2308}, {"ldquo", 0x201C}, {"le", 0x2264},
    {"lfloor", 0x230A}, {"lowast", 0x2217}, {"loz", 0x25CA}, {"lrm", 0x200E}, {"lsaquo", 0x2039}, {"lsquo", 0x2018},
    {"lt", 0x003C}, {"macr", 0x00AF}, {"mdash", 0x2014}, {"micro", 0x00B5}, {"middot", 0x00B7}, {"minus", 0x2212},
    {"mu", 0x03BC}, {"nabla", 0x2207}, {"nbsp", 0x00A0}, {"ndash", 0x2013}, {"ne", 0x2260}, {"ni", 0x220B},
    {"not", 0x00AC}, {"notin", 0x2209}, {"nsub", 0x2284}, {"ntilde", 0x00F1}, {"nu", 0x03BD}, {"oacute", 0x00F3},
    {"ocirc", 0x00F4}, {"oelig", 0x0153}, {"ograve", 0x00F2}, {"oline", 0x203E}, {"omega", 0x03C9},
    {"omicron", 0x03BF}, {"oplus", 0x2295}, {"or", 0x2228}, {"ordf", 0x00AA}, {"ordm", 0x00BA}, {"oslash", 0x00F8},
    {"otilde", 0x00F5}, {"otimes", 0x2297}, {"ouml", 0x00F6}, {"para", 0x00B6}, {"part", 0x2202},
    {"permil", 0x2030}, {"perp", 0x22A5}, {"phi", 0x03C6}, {"pi", 0x03C0}, {"piv", 0x03D6}, {"plusmn", 0x00B1},
    {"pound", 0x00A3}, {"prime", 0x2032}, {"prod", 0x220F}, {"prop", 0x221D}, {"psi", 0x03C8}, {"quot", 0x0022},
    {"radic", 0x221A}, {"rang", 0x232A}, {"raquo", 0x00BB}, {"rarr", 0x2192}, {"rceil", 0x2309}, {"rdquo", 0x201D},
    {"real", 0x211C}, {"reg", 0x00AE}, {"rfloor", 0x230B}, {"rho", 0x03C1}, {"rlm", 0x200F}, {"rsaquo", 0x203A},
    {"rsquo", 0x2019}, {"sbquo", 0x201A}, {"scaron", 0x0161}, {"sdot", 0x22C5}, {"sect", 0x00A7}, {"shy", 0x00AD},
    {"sigma", 0x03C3}, {"sigmaf", 0x03C2}, {"sim", 0x223C}, {"spades", 0x2660}, {"sub", 0x2282}, {"sube", 0x2286},
    {"sum", 0x2211}, {"sup", 0x2283}, {"sup1", 0x00B9}, {"sup2", 0x00B2}, {"sup3", 0x00B3}, {"supe", 0x2287},
    {"szlig", 0x00DF}, {"tau", 0x03C4}, {"there4", 0x2234}, {"theta", 0x03B8}, {"thetasym", 0x03D1},
    {"thinsp", 0x2009}, {"thorn", 0x00FE}, {"tilde", 0x02DC}, {"times", 0x00D7}, {"trade", 0x2122},
    {"uacute", 0x00FA}, {"uarr", 0x2191}, {"ucirc", 0x00FB}, {"ugrave", 0x00F9}, {"uml", 0x00A8}, {"upsih", 0x03D2},
    {"upsilon", 0x03C5}, {"uuml", 0x00FC}, {"weierp", 0x2118}, {"xi", 0x03BE}, {"yacute", 0x00FD}, {"yen", 0x00A5},
    {"yuml", 0x00FF}, {"zeta", 0x03B6}, {"zwj", 0x200D}, {"zwnj", 0x200C},
};

// The character a reference's body stands for ("#8212", "#x2014", "mdash");
// 0 when it names none.
char32_t ReferencedCharacter(QStringView body) {
  if (body.startsWith(u'#')) {
    const bool hex = body.startsWith(u"#x", Qt::CaseInsensitive);
    bool ok = false;
    const uint value = body.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
    if (!ok) return 0;
    // Nothing, a surrogate or beyond Unicode: the replacement character.
    return value == 0 || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF ? 0xFFFD : value;
  }
  const QByteArray name = body.toLatin1();
  const auto* end = std::end(kNamedCharacters);
  const auto* found = std::lower_bound(std::begin(kNamedCharacters), end, name,
                                       [](const NamedCharacter& c, const QByteArray& n) { return n > c.name; });
  return found != end && name == found->name ? found->character : 0;
}

}  // namespace

QString DecodeCharacterReferences(const QString& text) {
  if (!text.contains(QLatin1Char('&'))) return text;
  QString result;
  result.reserve(text.size());
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype semicolon = text[i] == QLatin1Char('&') ? text.indexOf(QLatin1Char(';'), i + 1) : -1;
    // Names are short; a far semicolon ends some other text.
    if (semicolon > i + 1 && semicolon - i <= 12) {
      if (const char32_t c = ReferencedCharacter(QStringView(text).sliced(i + 1, semicolon - i - 1))) {
        result += QString::fromUcs4(&c, 1);
        i = semicolon + 1;
        continue;
      }
    }
    result += text[i++];
  }
  return result;
}

QByteArray EscapeForDisplay(QByteArray text) { return Doubled(AmpAsAnd(std::move(text))); }
QString EscapeForDisplay(QString text) { return DoubledForLabels(ReadAmpAsAnd(std::move(text))); }
QString ReadAmpAsAnd(QString text) { return AmpAsAnd(std::move(text)); }
QString DoubledForLabels(QString text) { return Doubled(std::move(text)); }

QString FitText(TextMeasurer& measurer, const QString& text, int maxWidth, const QString& fontName, bool bold,
                int ellipsisWidth) {
  if (maxWidth == 0) return {};
  if (!text.contains(QLatin1Char(' '))) return text;
  measurer.SetFont(fontName, bold);
  auto width = [&](qsizetype length) {
    measurer.SetText(text.left(length));
    return measurer.Width();
  };
  // Longer and longer beginnings until one is too wide, so that a long text
  // is measured only about as far as it can show.
  qsizetype tooWide = 64;
  for (;; tooWide *= 2) {
    if (tooWide >= text.size()) {
      tooWide = text.size();
      if (maxWidth > width(tooWide)) return text;
      break;
    }
    if (width(tooWide) >= maxWidth) break;
  }
  // The longest beginning that fits with the ellipsis, found by halving.
  qsizetype low = 0;
  qsizetype high = tooWide;
  while (low < high) {
    const qsizetype middle = (low + high + 1) / 2;
    if (width(middle) + ellipsisWidth <= maxWidth)
      low = middle;
    else
      high = middle - 1;
  }
  // Never cut a surrogate pair, nor an "&&" that shows one "&" (a lone "&"
  // would take the first dot as its access key).
  if (low > 0 && text[low - 1].isHighSurrogate()) --low;
  qsizetype ampersands = 0;
  while (ampersands < low && text[low - 1 - ampersands] == QLatin1Char('&')) ++ampersands;
  if (ampersands % 2 == 1) --low;
  if (low == 0) return {};
  return text.left(low) + QStringLiteral("...");
}

int MeasureLineHeight(TextMeasurer& measurer, const QString& fontName, bool bold) {
  measurer.SetFont(fontName, bold);
  return measurer.Height();
}

}  // namespace lumora::content
