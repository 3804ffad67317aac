#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "content/parallel.h"
#include "content/search.h"
#include "core/files.h"

namespace lumora::content {

// Keys in the order they came, each followed by a separator in one pool, so
// that a search of the pool for a text without the separator never runs
// from one key into the next.
struct KeyList {
  explicit KeyList(char separator = ' ') : separator(separator) {}
  char separator;
  std::string pool;
  std::vector<uint32_t> offsets{0};  // key i is pool[offsets[i], offsets[i + 1] - 1)
  uint32_t Size() const { return static_cast<uint32_t>(offsets.size() - 1); }
  std::string_view Key(uint32_t id) const {
    return std::string_view(pool).substr(offsets[id], offsets[id + 1] - offsets[id] - 1);
  }
  // The key whose stored text (separator included) holds the pool's byte at.
  uint32_t KeyAt(size_t at) const;
};

// Keys stored once each, numbered in the order they came; found by hash.
class Interner final {
 public:
  explicit Interner(char separator = ' ') : keys_(separator) {}
  // The number of key, which is added when it is new.
  uint32_t Intern(std::string_view key);
  uint32_t Size() const { return keys_.Size(); }
  std::string_view Key(uint32_t id) const { return keys_.Key(id); }
  const KeyList& Keys() const { return keys_; }
  // Forgets every key, keeping the memory for the next ones.
  void Clear();

 private:
  // A key of up to 16 bytes is held in the slot itself, as its length and
  // two loads of its bytes (which together tell it from every other key); a
  // longer one by its hash, and compared in the pool.
  struct Slot {
    uint64_t first = 0, last = 0;
    uint32_t size = 0;
    uint32_t number = 0;  // the key's number + 1; 0 where the slot is free
  };
  static Slot Shape(std::string_view key);
  static uint64_t HashOf(const Slot& slot);
  void Grow();
  KeyList keys_;
  std::vector<Slot> slots_;
};

// A page's words in order, by the page's own numbers, each in as few bytes as
// its count of distinct words needs, and where each field begins.
class WordSequence final {
 public:
  static constexpr uint32_t kFieldShift = 30;  // a token: own number | field << kFieldShift
  void Assign(const std::vector<uint32_t>& tokens, uint32_t distinct);
  // Calls visit(number, field) for every word in order.
  template <class Visit>
  void ForEach(Visit&& visit) const {
    switch (width_) {
      case 1: Walk<uint8_t>(visit); break;
      case 2: Walk<uint16_t>(visit); break;
      default: Walk<uint32_t>(visit); break;
    }
  }
  size_t Bytes() const { return numbers_.capacity() + fields_.capacity() * sizeof(fields_[0]); }

 private:
  template <class Number, class Visit>
  void Walk(Visit& visit) const {
    const auto* numbers = reinterpret_cast<const Number*>(numbers_.data());
    const size_t count = numbers_.size() / sizeof(Number);
    size_t change = 0;
    uint32_t field = 0;
    for (size_t at = 0; at < count; ++at) {
      if (change < fields_.size() && fields_[change].first == at) field = fields_[change++].second;
      visit(static_cast<uint32_t>(numbers[at]), field);
    }
  }
  std::vector<unsigned char> numbers_;
  unsigned char width_ = 1;
  std::vector<std::pair<uint32_t, uint32_t>> fields_;  // where a field begins, and which
};

// The pages of a help set, read once into memory as words, so that a later
// search answers without reading a page again. Each page is kept as
//   - its words (runs of letters and digits, see words.h) with how often each
//     stands in the title or subject, in headings and in the text, and the
//     page's words in order, for phrases;
//   - the runs of its search text between blanks with how often each occurs,
//     which give the count the Hits column shows: a word typed holds no
//     blank, so each of its occurrences lies inside one such run.
// Brought up to date before every search, re-reading only pages whose size,
// time or file number changed.
class WordIndex final {
 public:
  // Reads the pages of the topic index that are new or changed, and forgets
  // those it no longer lists. Stopped by the pump, it returns false; what was
  // read by then is kept.
  bool Update(const std::vector<Topic>& index, const core::Pump& pump = {});
  // Takes a page's bytes as the page at path, whatever the file holds.
  void Put(const QString& path, QByteArrayView bytes);

  // The pages of the index found by the words, as SearchPages lists them.
  std::vector<SearchHit> Search(const std::vector<Topic>& index, const std::vector<QString>& words,
                                const Ranking& ranking = {}) const;

  // Pages and memory held, for the benchmarks.
  int Pages() const { return static_cast<int>(slotOf_.size()); }
  size_t Bytes() const;

  // What a page gives the index, read on any thread.
  struct Reading;

 private:
  struct Page {
    QString path;
    core::FileStamp stamp;
    bool utf8 = true;
    int words = 0;
    int titleWords = 0;
    std::vector<uint32_t> vocabulary;  // the index's number of each distinct word, by the page's own number
    std::vector<uint32_t> runs;        // the index's numbers of its runs
    WordSequence sequence;
  };
  struct WordPosting {
    uint32_t page;
    float title, heading, body;
  };
  struct RunPosting {
    uint32_t page;
    uint32_t count;
  };

  uint32_t SlotFor(const QString& path);
  void Forget(const std::vector<uint32_t>& pages);
  void Store(uint32_t slot, Reading&& reading);
  std::vector<long long> Hits(const QueryWords& query) const;
  std::vector<TermCounts> Terms(const Relevance& relevance) const;

  std::vector<Page> pages_;
  std::vector<uint32_t> freeSlots_;
  QHash<QString, uint32_t> slotOf_;
  Interner words_{'\0'};
  std::vector<std::vector<WordPosting>> wordPostings_;
  Interner runs_[2];  // of ANSI pages, of UTF-8 pages
  std::vector<std::vector<RunPosting>> runPostings_[2];
};

}  // namespace lumora::content
