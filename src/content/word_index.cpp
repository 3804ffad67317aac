#include "content/word_index.h"

#include <QSet>
#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <optional>

#include "content/page_bytes.h"
#include "content/page_text.h"
#include "content/parallel.h"
#include "content/relevance.h"
#include "content/words.h"
#include "core/text.h"

namespace lumora::content {
namespace {

constexpr uint32_t kNoSlot = UINT32_MAX;
constexpr uint32_t kFieldShift = WordSequence::kFieldShift;
constexpr uint32_t kOwnNumber = (1u << kFieldShift) - 1;

uint64_t Load8(const char* at) {
  uint64_t value;
  std::memcpy(&value, at, 8);
  return value;
}

uint64_t Load4(const char* at) {
  uint32_t value;
  std::memcpy(&value, at, 4);
  return value;
}

uint64_t Mix(uint64_t a, uint64_t b) {
  uint64_t h = (a ^ 0xA0761D6478BD642Full) * 0xE7037ED1A0B428DBull ^ (b << 29 | b >> 35);
  h = (h ^ h >> 32) * 0xFF51AFD7ED558CCDull;
  return h ^ h >> 29;
}

template <class T>
size_t CapacityBytes(const std::vector<T>& items) {
  return items.capacity() * sizeof(T);
}

}  // namespace

[[gnu::always_inline]] inline Interner::Slot Interner::Shape(std::string_view key) {
  const char* at = key.data();
  const size_t n = key.size();
  Slot slot;
  slot.size = static_cast<uint32_t>(n);
  if (n > 16) {
    uint64_t h = n;
    size_t i = 0;
    for (; i + 16 < n; i += 16) h = Mix(Load8(at + i) ^ h, Load8(at + i + 8));
    slot.first = Mix(Load8(at + n - 16) ^ h, Load8(at + n - 8));
  } else if (n >= 8) {
    slot.first = Load8(at);
    slot.last = Load8(at + n - 8);
  } else if (n >= 4) {
    slot.first = Load4(at);
    slot.last = Load4(at + n - 4);
  } else if (n > 0) {
    slot.first = static_cast<uint64_t>(static_cast<unsigned char>(at[0])) << 16 |
                 static_cast<uint64_t>(static_cast<unsigned char>(at[n / 2])) << 8 |
                 static_cast<unsigned char>(at[n - 1]);
  }
  return slot;
}

[[gnu::always_inline]] inline uint64_t Interner::HashOf(const Slot& slot) {
  return slot.size > 16 ? slot.first : Mix(slot.first ^ slot.size, slot.last);
}

uint32_t Interner::Intern(std::string_view key) {
  if ((Size() + 1) * 2 > slots_.size()) Grow();
  const Slot shape = Shape(key);
  const size_t mask = slots_.size() - 1;
  for (size_t at = HashOf(shape) & mask;; at = (at + 1) & mask) {
    Slot& slot = slots_[at];
    if (slot.number == 0) {
      const uint32_t id = Size();
      keys_.pool.append(key).push_back(keys_.separator);
      keys_.offsets.push_back(static_cast<uint32_t>(keys_.pool.size()));
      slot = shape;
      slot.number = id + 1;
      return id;
    }
    if (slot.first == shape.first && slot.last == shape.last && slot.size == shape.size &&
        (shape.size <= 16 || Key(slot.number - 1) == key))
      return slot.number - 1;
  }
}

void Interner::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(std::max<size_t>(64, old.size() * 2), Slot{});
  const size_t mask = slots_.size() - 1;
  for (const Slot& held : old) {
    if (held.number == 0) continue;
    size_t at = HashOf(held) & mask;
    while (slots_[at].number != 0) at = (at + 1) & mask;
    slots_[at] = held;
  }
}

void Interner::Clear() {
  keys_.pool.clear();
  keys_.offsets.resize(1);
  // A table grown for one long page is not kept for all the short ones after it.
  if (slots_.size() > 4096) slots_ = {};
  std::fill(slots_.begin(), slots_.end(), Slot{});
}

uint32_t KeyList::KeyAt(size_t at) const {
  return static_cast<uint32_t>(std::upper_bound(offsets.begin(), offsets.end(), at) - offsets.begin() - 1);
}

void WordSequence::Assign(const std::vector<uint32_t>& tokens, uint32_t distinct) {
  width_ = distinct <= 0x100 ? 1 : distinct <= 0x10000 ? 2 : 4;
  numbers_.resize(tokens.size() * width_);
  fields_.clear();
  uint32_t field = 0;
  for (size_t at = 0; at < tokens.size(); ++at) {
    const uint32_t token = tokens[at];
    if (token >> kFieldShift != field) {
      field = token >> kFieldShift;
      fields_.emplace_back(static_cast<uint32_t>(at), field);
    }
    const uint32_t number = token & kOwnNumber;
    if (width_ == 1) {
      numbers_[at] = static_cast<unsigned char>(number);
    } else if (width_ == 2) {
      const auto narrow = static_cast<uint16_t>(number);
      std::memcpy(numbers_.data() + at * 2, &narrow, 2);
    } else {
      std::memcpy(numbers_.data() + at * 4, &number, 4);
    }
  }
  fields_.shrink_to_fit();
}

struct WordIndex::Reading {
  core::FileStamp stamp;
  bool utf8 = true;
  int words = 0;
  int titleWords = 0;
  KeyList vocabulary{'\0'};
  std::vector<std::array<uint32_t, 3>> fieldCounts;  // by the word's own number: text, heading, title
  WordSequence sequence;
  KeyList runs;
  std::vector<uint32_t> runCounts;
};

namespace {

// What a run between blanks gave the last time it was read from a state.
struct RunWords {
  bool known = false;
  words::WordState from;
  words::WordState to;
  uint32_t begin = 0;  // its words in the page's list of them
  uint32_t count = 0;
};

WordIndex::Reading ReadPageWords(QByteArrayView bytes) {
  // The tables that count a page's words and runs are kept for the thread's
  // next page; the reading gets copies of what they hold, allocated once.
  thread_local std::string text;
  thread_local Interner runs, vocabulary{'\0'};
  thread_local std::vector<uint32_t> runCounts, sequence, runTokens;
  thread_local std::vector<std::array<uint32_t, 3>> fieldCounts;
  thread_local std::vector<RunWords> runWords;
  runs.Clear();
  vocabulary.Clear();
  runCounts.clear();
  sequence.clear();
  runTokens.clear();
  fieldCounts.clear();
  runWords.clear();

  WordIndex::Reading page;
  page.utf8 = SearchText(bytes, text);
  const char* const start = text.data();
  const size_t n = text.size();
  // A page is mostly the same runs again ("the", "<p"), read from the same
  // state: each is split into words once, and its words are reused after.
  words::WordState state;
  std::string converted;
  const auto readRun = [&](std::string_view run, RunWords& known) {
    known = {true, state, state, static_cast<uint32_t>(runTokens.size()), 0};
    // Words are read in UTF-8; most runs of an ANSI page are ASCII and need no change.
    if (!page.utf8 && !IsAscii(run)) {
      converted = core::FromAnsi(QByteArrayView(run.data(), static_cast<qsizetype>(run.size()))).toStdString();
      run = converted;
    }
    words::ForEachWordFrom(run, true, known.to, [&](std::string_view word, words::Field field) {
      const uint32_t id = vocabulary.Intern(word);
      if (id == fieldCounts.size()) fieldCounts.push_back({});
      runTokens.push_back(id | static_cast<uint32_t>(field) << kFieldShift);
    });
    known.count = static_cast<uint32_t>(runTokens.size()) - known.begin;
  };
  for (size_t i = 0; i < n;) {
    const void* blank = std::memchr(start + i, ' ', n - i);
    const size_t end = blank ? static_cast<size_t>(static_cast<const char*>(blank) - start) : n;
    if (end > i) {
      const std::string_view run(start + i, end - i);
      const uint32_t id = runs.Intern(run);
      if (id == runCounts.size()) {
        runCounts.push_back(0);
        runWords.emplace_back();
      }
      ++runCounts[id];
      RunWords& known = runWords[id];
      if (!known.known || known.from != state) readRun(run, known);
      for (uint32_t k = known.begin; k < known.begin + known.count; ++k) {
        const uint32_t token = runTokens[k];
        const uint32_t field = token >> kFieldShift;
        ++fieldCounts[token & kOwnNumber][field];
        page.titleWords += field == static_cast<uint32_t>(words::Field::Title) ? 1 : 0;
        sequence.push_back(token);
      }
      page.words += static_cast<int>(known.count);
      state = known.to;
    }
    i = end + 1;
  }
  page.runs = runs.Keys();
  page.runCounts = runCounts;
  page.vocabulary = vocabulary.Keys();
  page.fieldCounts = fieldCounts;
  page.sequence.Assign(sequence, vocabulary.Size());
  return page;
}

}  // namespace

uint32_t WordIndex::SlotFor(const QString& path) {
  const auto known = slotOf_.constFind(path);
  if (known != slotOf_.constEnd()) return *known;
  uint32_t slot;
  if (freeSlots_.empty()) {
    slot = static_cast<uint32_t>(pages_.size());
    pages_.emplace_back();
  } else {
    slot = freeSlots_.back();
    freeSlots_.pop_back();
  }
  pages_[slot].path = path;
  slotOf_.insert(path, slot);
  return slot;
}

void WordIndex::Forget(const std::vector<uint32_t>& pages) {
  if (pages.empty()) return;
  std::vector<char> gone(pages_.size(), 0);
  std::vector<uint32_t> wordIds, runs[2];
  for (const uint32_t slot : pages) {
    gone[slot] = 1;
    Page& page = pages_[slot];
    wordIds.insert(wordIds.end(), page.vocabulary.begin(), page.vocabulary.end());
    runs[page.utf8].insert(runs[page.utf8].end(), page.runs.begin(), page.runs.end());
    page = Page{page.path, {}, true, 0, 0, {}, {}, {}};
  }
  // Each list is filtered once, however many of the pages named its word.
  const auto drop = [&gone](auto& lists, std::vector<uint32_t>& ids) {
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    for (const uint32_t id : ids)
      std::erase_if(lists[id], [&gone](const auto& posting) { return gone[posting.page] != 0; });
  };
  drop(wordPostings_, wordIds);
  drop(runPostings_[0], runs[0]);
  drop(runPostings_[1], runs[1]);
}

void WordIndex::Store(uint32_t slot, Reading&& reading) {
  Page& page = pages_[slot];
  page.stamp = reading.stamp;
  page.utf8 = reading.utf8;
  page.words = reading.words;
  page.titleWords = reading.titleWords;
  page.vocabulary.resize(reading.vocabulary.Size());
  for (uint32_t own = 0; own < reading.vocabulary.Size(); ++own) {
    const uint32_t id = words_.Intern(reading.vocabulary.Key(own));
    if (id == wordPostings_.size()) wordPostings_.emplace_back();
    const auto& counts = reading.fieldCounts[own];
    wordPostings_[id].push_back({slot, static_cast<float>(counts[2]), static_cast<float>(counts[1]),
                                 static_cast<float>(counts[0])});
    page.vocabulary[own] = id;
  }
  Interner& runs = runs_[page.utf8];
  auto& postings = runPostings_[page.utf8];
  page.runs.resize(reading.runs.Size());
  for (uint32_t own = 0; own < reading.runs.Size(); ++own) {
    const uint32_t id = runs.Intern(reading.runs.Key(own));
    if (id == postings.size()) postings.emplace_back();
    postings[id].push_back({slot, reading.runCounts[own]});
    page.runs[own] = id;
  }
  page.sequence = std::move(reading.sequence);
}

void WordIndex::Put(const QString& path, QByteArrayView bytes) {
  const uint32_t slot = SlotFor(path);
  Forget({slot});
  Store(slot, ReadPageWords(bytes));
}

bool WordIndex::Update(const std::vector<Topic>& index, const core::Pump& pump) {
  std::vector<QString> paths;
  QSet<QString> listed;
  for (const Topic& topic : index) {
    const QString& path = topic.path;
    if (!path.isEmpty() && !listed.contains(path)) {
      listed.insert(path);
      paths.push_back(path);
    }
  }
  std::vector<uint32_t> unlisted;
  for (auto it = slotOf_.cbegin(); it != slotOf_.cend(); ++it)
    if (!listed.contains(it.key())) unlisted.push_back(it.value());
  Forget(unlisted);
  for (const uint32_t slot : unlisted) {
    slotOf_.remove(pages_[slot].path);
    pages_[slot] = Page{};
    freeSlots_.push_back(slot);
  }

  // Stamps are copied: storing a page may move the pages while others are read.
  std::vector<std::optional<core::FileStamp>> known(paths.size());
  for (size_t i = 0; i < paths.size(); ++i) {
    const auto slot = slotOf_.constFind(paths[i]);
    if (slot != slotOf_.constEnd()) known[i] = pages_[*slot].stamp;
  }
  std::vector<Reading> readings(paths.size());
  std::mutex mutex;
  std::vector<size_t> finished;
  // The calling thread stores the pages read so far while the others read on.
  const auto storeFinished = [&] {
    std::vector<size_t> batch;
    {
      const std::lock_guard lock(mutex);
      batch.swap(finished);
    }
    std::vector<uint32_t> changed;
    for (const size_t at : batch)
      if (known[at]) changed.push_back(slotOf_.value(paths[at]));
    Forget(changed);
    for (const size_t at : batch) Store(SlotFor(paths[at]), std::move(readings[at]));
  };
  const bool done = RunInParallel(
      static_cast<int>(paths.size()),
      [&](int i) {
        const auto at = static_cast<size_t>(i);
        const core::FileStamp stamp = core::StampOf(paths[at]);
        if (known[at] == stamp) return;
        readings[at] = ReadPageWords(core::ReadRegularFile(paths[at], kMaxPageBytes));
        readings[at].stamp = stamp;
        const std::lock_guard lock(mutex);
        finished.push_back(at);
      },
      [&] {
        storeFinished();
        return !pump || pump();
      });
  storeFinished();
  return done;
}

std::vector<long long> WordIndex::Hits(const QueryWords& query) const {
  std::vector<long long> hits(pages_.size(), 0);
  for (const int utf8 : {0, 1}) {
    const Interner& runs = runs_[utf8];
    const std::string& pool = runs.Keys().pool;
    for (size_t w = 0; w < query.Size(); ++w) {
      const QByteArray& word = query.Encoded(w, utf8 != 0);
      if (word.isEmpty()) continue;
      const std::string_view wanted(word.constData(), static_cast<size_t>(word.size()));
      uint32_t run = kNoSlot;
      long long inRun = 0;
      const auto addRun = [&] {
        if (run == kNoSlot) return;
        for (const RunPosting& posting : runPostings_[utf8][run]) hits[posting.page] += inRun * posting.count;
      };
      // Occurrences overlap: "aa" is twice in "aaa".
      for (size_t at = pool.find(wanted); at != std::string::npos; at = pool.find(wanted, at + 1)) {
        const uint32_t holder = runs.Keys().KeyAt(at);
        if (holder != run) {
          addRun();
          run = holder;
          inRun = 0;
        }
        ++inRun;
      }
      addRun();
    }
  }
  return hits;
}

std::vector<TermCounts> WordIndex::Terms(const Relevance& relevance) const {
  const size_t terms = relevance.Terms();
  std::vector<TermCounts> counts(pages_.size() * terms);
  const uint32_t known = words_.Size();
  for (size_t t = 0; t < terms; ++t) {
    const size_t length = relevance.TermLength(t);
    if (length == 1) {
      std::vector<TermTally> tallies(pages_.size());
      for (uint32_t id = 0; id < known; ++id) {
        const double weight = relevance.Matches(words_.Key(id), t, 0);
        if (weight == 0) continue;
        for (const WordPosting& posting : wordPostings_[id]) {
          TermTally& page = tallies[posting.page];
          page.Add(weight, static_cast<int>(words::Field::Title), posting.title);
          page.Add(weight, static_cast<int>(words::Field::Heading), posting.heading);
          page.Add(weight, static_cast<int>(words::Field::Body), posting.body);
        }
      }
      for (size_t slot = 0; slot < pages_.size(); ++slot) counts[slot * terms + t] = tallies[slot].Counts();
      continue;
    }
    // A phrase: the pages that hold each of its words are read in order.
    std::vector<std::vector<char>> matches(length, std::vector<char>(known, 0));
    std::vector<uint32_t> holds(pages_.size(), 0);
    for (size_t k = 0; k < length; ++k) {
      std::vector<char> seen(pages_.size(), 0);
      for (uint32_t id = 0; id < known; ++id) {
        if (relevance.Matches(words_.Key(id), t, k) < 1) continue;
        matches[k][id] = 1;
        for (const WordPosting& posting : wordPostings_[id])
          if (!seen[posting.page]) {
            seen[posting.page] = 1;
            ++holds[posting.page];
          }
      }
    }
    // Common words hold most pages: they are read on every core.
    RunInParallel(static_cast<int>(pages_.size()), [&](int at) {
      const auto slot = static_cast<size_t>(at);
      if (holds[slot] != length) return;
      const Page& page = pages_[slot];
      TermCounts& found = counts[slot * terms + t];
      size_t k = 0;
      page.sequence.ForEach([&](uint32_t number, uint32_t field) {
        const uint32_t id = page.vocabulary[number];
        k = matches[k][id] ? k + 1 : (matches[0][id] ? 1 : 0);
        if (k < length) return;
        k = 0;
        const auto place = static_cast<words::Field>(field);
        (place == words::Field::Title ? found.title : place == words::Field::Heading ? found.heading : found.body) += 1;
      });
    });
  }
  return counts;
}

std::vector<SearchHit> WordIndex::Search(const std::vector<Topic>& index, const std::vector<QString>& words,
                                         const Ranking& ranking) const {
  const QueryWords query(words);
  const Relevance relevance(ranking.typed, ranking.language);
  const size_t terms = relevance.Terms();
  const std::vector<long long> hits = Hits(query);
  const std::vector<TermCounts> counts = relevance.Empty() ? std::vector<TermCounts>() : Terms(relevance);
  std::vector<PageAnswer> answers(pages_.size());
  for (size_t slot = 0; slot < pages_.size(); ++slot) {
    PageAnswer& answer = answers[slot];
    answer.hits = hits[slot];
    if (relevance.Empty()) continue;
    const auto first = counts.begin() + static_cast<std::ptrdiff_t>(slot * terms);
    answer.terms.terms.assign(first, first + static_cast<std::ptrdiff_t>(terms));
    answer.terms.words = pages_[slot].words;
    answer.terms.titleWords = pages_[slot].titleWords;
  }
  return ListAnswers(index, relevance, [&](const QString& path) -> const PageAnswer* {
    const uint32_t slot = slotOf_.value(path, kNoSlot);
    return slot == kNoSlot ? nullptr : &answers[slot];
  });
}

size_t WordIndex::Bytes() const {
  size_t bytes = CapacityBytes(pages_) + words_.Keys().pool.capacity() + CapacityBytes(wordPostings_);
  for (const auto& postings : wordPostings_) bytes += CapacityBytes(postings);
  for (const int utf8 : {0, 1}) {
    bytes += runs_[utf8].Keys().pool.capacity() + CapacityBytes(runPostings_[utf8]);
    for (const auto& postings : runPostings_[utf8]) bytes += CapacityBytes(postings);
  }
  for (const Page& page : pages_)
    bytes += CapacityBytes(page.vocabulary) + CapacityBytes(page.runs) + page.sequence.Bytes();
  return bytes;
}

}  // namespace lumora::content
