#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <map>
#include <span>

#include "core/string_table.h"

namespace lumora::settings {

// The pack's messages the window shows, by what they say ("lang1" ...).
enum class Message {
  QuestionSent = 1,   // "Thank you. Your question has been sent ..."
  ClearQuestion = 2,  // "Clear the question form? ..."
  TopicCount = 3,     // "Topics:"
  BuildingIndex = 4,  // "Building the topic index, please wait..."
  Searching = 5,      // "Searching the help pages, please wait..."
  MatchCount = 6,     // "Matches:"
  NothingFound = 7,   // "No topics found. Try other words."
};

// What a language pack says, sorted by key family. A key is a family prefix
// and a decimal index:  "cmdbt3" -> family cmdbt, index 3;  "LANG3" -> lang 3;
// "frmlb05" -> family frmlb0 (the index text is cut out), which is no family.
struct LanguagePack {
  static constexpr int kTexts = 11;  // lang0..lang10 and short0..short10

  std::array<QString, kTexts> LangText;
  std::array<QString, kTexts> ShortText;
  // Captions by control index, for whichever indices the pack names.
  std::map<int, QString> DiffLabel;
  std::map<int, QString> FrameLabel;
  std::map<int, QString> CommandButton;
  std::map<int, QString> Commander;
  // The question form's own messages ("askform0" ...), by index.
  std::map<int, QString> AskForm;
  // The find strip's texts ("findbar0" ...), by index.
  std::map<int, QString> FindBar;
  // Tool tips of the toolbar buttons ("tooltip1" for ToolButton(1) ...) and
  // of the title-bar buttons ("titlebtn0" for FormControl(0) ...), by index.
  std::map<int, QString> ToolTip;
  std::map<int, QString> TitleButton;
  // Texts of the status box beyond the index and the search ("status0" ...).
  std::map<int, QString> Status;
  // The bookmarks page's toolbar caption, column titles and messages ("bookmark0" ...).
  std::map<int, QString> Bookmark;

  // LangText[index]; "" for an index outside 0..10.
  QString Lang(int index) const;
  QString Lang(Message message) const { return Lang(static_cast<int>(message)); }
};

// The text at index of one of the pack's families, else the English text
// at index (the program's own, for a pack that lacks it); "" beyond both.
QString TextOr(const std::map<int, QString>& family, int index, std::span<const char* const> english);

// Sorts the entries of a settings table (field 0 keys, field 1 values) into
// their families, later entries overriding earlier ones. Keys without digits,
// with other prefixes, or with lang/short indices beyond 0..10 are skipped.
LanguagePack SortLanguageEntries(const core::StringTable& entries);

// Reads and sorts the pack file; an empty pack when the file is unusable.
LanguagePack ReadLanguagePack(const QString& path);

}  // namespace lumora::settings
