// Index and search on a generated help set of 5,000 pages (100 MB), next to
// reading every page once. Run: build/bin/help_set_bench
// With --write-corpus DIR [PAGES [FLAT [utf8]]] it only writes a help set and
// ends. Argument 0 of each benchmark is the Windows-1252 help set, 1 the UTF-8 one.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <fstream>
#include <string>

#include "content/page_text.h"
#include "content/parallel.h"
#include "content/search.h"
#include "content/topic_index.h"
#include "content/word_index.h"
#include "help_corpus.h"
#include "core/files.h"
#include "core/text.h"

using namespace lumora;

namespace {

struct Corpus {
  QTemporaryDir dir;
  QStringList paths;
  QString lowerRoot;  // as the window passes the help folder

  explicit Corpus(bool utf8) {
    bench::CorpusShape shape;
    shape.utf8 = utf8;
    paths = bench::WriteHelpCorpus(dir.path(), shape);
    lowerRoot = core::AnsiLower(dir.path()) + QLatin1Char('/');
  }
};

// Argument 0: Windows-1252 pages; 1: UTF-8 pages.
Corpus& TheCorpus(const benchmark::State& state) {
  static Corpus ansi(false);
  if (state.range(0) == 0) return ansi;
  static Corpus utf8(true);
  return utf8;
}

// Peak resident memory since the last reset, in bytes (Linux).
long long PeakResidentBytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stoll(line.substr(6)) * 1024;
  return 0;
}

void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

void ReadEveryPage(benchmark::State& state) {
  const Corpus& corpus = TheCorpus(state);
  for (auto _ : state) {
    qint64 bytes = 0;
    for (const QString& path : corpus.paths) {
      QFile file(path);
      if (file.open(QIODevice::ReadOnly)) bytes += file.readAll().size();
    }
    benchmark::DoNotOptimize(bytes);
    state.counters["MB"] = static_cast<double>(bytes) / (1024 * 1024);
  }
}
BENCHMARK(ReadEveryPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same on every core, as the search reads.
void ReadEveryPageOnEveryCore(benchmark::State& state) {
  const Corpus& corpus = TheCorpus(state);
  for (auto _ : state) {
    std::atomic<qint64> bytes = 0;
    content::RunInParallel(static_cast<int>(corpus.paths.size()), [&](int i) {
      bytes += core::ReadRegularFile(corpus.paths[i], content::kMaxPageBytes).size();
    });
    state.counters["MB"] = static_cast<double>(bytes) / (1024 * 1024);
  }
}
BENCHMARK(ReadEveryPageOnEveryCore)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BuildIndex(benchmark::State& state) {
  const Corpus& corpus = TheCorpus(state);
  for (auto _ : state) {
    state.counters["topics"] = static_cast<double>(content::BuildTopicIndex(corpus.lowerRoot)->size());
  }
}
BENCHMARK(BuildIndex)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Arg 0: the ANSI or the UTF-8 help set; arg 1: 1 ranked by relevance, 0 by the count.
void SearchThreeWords(benchmark::State& state) {
  const Corpus& corpus = TheCorpus(state);
  const std::vector<content::Topic> index = *content::BuildTopicIndex(corpus.lowerRoot);
  const QString typed = QStringLiteral("print table index");
  const std::vector<QString> words = content::SplitQuery(typed);
  const content::Ranking ranking{state.range(1) ? typed : QString(), QStringLiteral("english")};
  ResetPeakResident();
  const long long before = PeakResidentBytes();
  for (auto _ : state) {
    state.counters["matches"] = static_cast<double>(content::SearchPages(index, words, {}, ranking).size());
  }
  state.counters["peak_MB"] = static_cast<double>(PeakResidentBytes()) / (1024 * 1024);
  state.counters["peak_rise_MB"] = static_cast<double>(PeakResidentBytes() - before) / (1024 * 1024);
}
BENCHMARK(SearchThreeWords)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMillisecond)->UseRealTime();

// The window's reading of every page into its word index, from nothing.
void ReadWordIndex(benchmark::State& state) {
  const Corpus& corpus = TheCorpus(state);
  const std::vector<content::Topic> index = *content::BuildTopicIndex(corpus.lowerRoot);
  for (auto _ : state) {
    content::WordIndex pages;
    pages.Update(index);
    state.counters["pages"] = pages.Pages();
  }
}
BENCHMARK(ReadWordIndex)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A later search in the window: the word index is up to date but for a check
// of every page's time and size. Arg 1 as above; arg 2: 1 for a phrase.
void LaterSearch(benchmark::State& state) {
  const Corpus& corpus = TheCorpus(state);
  const std::vector<content::Topic> index = *content::BuildTopicIndex(corpus.lowerRoot);
  const QString typed = state.range(2) ? QStringLiteral("\"print table\" index") : QStringLiteral("print table index");
  const std::vector<QString> words = content::SplitQuery(typed);
  const content::Ranking ranking{state.range(1) ? typed : QString(), QStringLiteral("english")};
  ResetPeakResident();
  const long long before = PeakResidentBytes();
  content::WordIndex pages;
  pages.Update(index);
  state.counters["index_MB"] = static_cast<double>(pages.Bytes()) / (1024 * 1024);
  for (auto _ : state) {
    pages.Update(index);
    state.counters["matches"] = static_cast<double>(pages.Search(index, words, ranking).size());
  }
  state.counters["peak_rise_MB"] = static_cast<double>(PeakResidentBytes() - before) / (1024 * 1024);
}
BENCHMARK(LaterSearch)->Args({0, 0, 0})->Args({0, 1, 0})->Args({0, 1, 1})->Args({1, 1, 0})->Unit(benchmark::kMillisecond)->UseRealTime();

// A calling program's -topic of 30,000 characters that names no page: plain
// letters (0), or "#" every other character (1), before the index is built
// (the folder is scanned) and after.
void LongTopic(benchmark::State& state) {
  const Corpus& corpus = TheCorpus(state);
  const QString topic = state.range(0) == 0 ? QString(30000, u'x') : QStringLiteral("a#").repeated(15000);
  const std::vector<content::Topic> index = *content::BuildTopicIndex(corpus.lowerRoot);
  const std::vector<content::Topic>* built = state.range(1) == 1 ? &index : nullptr;
  for (auto _ : state) benchmark::DoNotOptimize(content::FindTopicPage(corpus.lowerRoot, topic, built));
}
BENCHMARK(LongTopic)->Args({0, 1})->Args({1, 1})->Args({1, 0})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc >= 3 && std::string(argv[1]) == "--write-corpus") {
    bench::CorpusShape shape;
    if (argc >= 4) shape.pages = std::stoi(argv[3]);
    if (argc >= 5) shape.flatPages = std::stoi(argv[4]);
    if (argc >= 6) shape.utf8 = std::string(argv[5]) == "utf8";
    shape.bytes = static_cast<qint64>(shape.pages) * 20 * 1024;
    return bench::WriteHelpCorpus(QString::fromLocal8Bit(argv[2]), shape).size() == shape.pages ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
