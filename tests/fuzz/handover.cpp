#include "app/command_line.h"
#include "fuzz.h"

using namespace lumora;

// A line a later start handed over is taken only as short text without control characters, and then exactly as written.
FUZZ_TARGET(bytes) {
  const std::optional<QString> text = app::ReadHandover(bytes);
  if (!text) return;
  FUZZ_CHECK(bytes.size() <= app::kLongestHandover && text->toUtf8() == bytes);
  for (const QChar c : *text) FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() != 0x7F);
}
