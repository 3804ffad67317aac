#include "fuzz.h"
#include "settings/language_pack.h"
#include "settings/settings_file.h"

using namespace lumora;

FUZZ_TARGET(bytes) {
  core::StringTable entries(2);
  settings::ReadSettingsText(bytes, entries);
  for (int i = 0; i < entries.Count(); ++i) FUZZ_CHECK(!entries.At(1, i).contains(QLatin1String("</b>")));
  const settings::LanguagePack pack = settings::SortLanguageEntries(entries);
  for (const auto* family : {&pack.DiffLabel, &pack.FrameLabel, &pack.CommandButton, &pack.Commander, &pack.AskForm, &pack.FindBar})
    for (const auto& [index, text] : *family) FUZZ_CHECK(index >= 0);
}
