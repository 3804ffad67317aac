#include "content/text_helpers.h"
#include "fuzz.h"

using namespace lumora;

// Decoding never lengthens a text, and leaves one without "&" as it is.
FUZZ_TARGET(bytes) {
  const QString text = QString::fromUtf8(bytes);
  const QString decoded = content::DecodeCharacterReferences(text);
  FUZZ_CHECK(decoded.size() <= text.size());
  if (!text.contains(u'&')) FUZZ_CHECK(decoded == text);
}
