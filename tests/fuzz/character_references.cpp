#include "content/text_helpers.h"
#include "fuzz.h"

using namespace lumora;

FUZZ_TARGET(bytes) {  // decoding never lengthens a text, and leaves one without "&" as it is
  const QString text = QString::fromUtf8(bytes);
  const QString decoded = content::DecodeCharacterReferences(text);
  FUZZ_CHECK(decoded.size() <= text.size());
  if (!text.contains(u'&')) FUZZ_CHECK(decoded == text);
}
