// How fast the multi-column list takes a long table and repaints after a
// scroll step. Run: build/bin/complex_list_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "controls/complex_list.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"

using namespace lumora;

namespace {

core::StringTable LongTable(int rows) {
  core::StringTable table(3);
  for (int r = 0; r < rows; ++r) {
    const int entry = table.Grow();
    table.Set(0, entry, QStringLiteral("help topic number %1 about printing").arg(r));
    table.Set(1, entry, QString::number(r % 97));
    table.Set(2, entry, QStringLiteral("/usr/share/lumora/help/page%1.html").arg(r));
  }
  return table;
}

struct ListFixture {
  QWidget window;
  controls::ComplexList* list = new controls::ComplexList(&window);

  ListFixture() {
    settings::ComputePlatformFacts({15.0, 15.0, 1024, 768}, QStringLiteral("/a"), QStringLiteral("/s"), 0);
    auto skin = std::make_shared<controls::Skin>();
    skin->theme.theme_text = QStringLiteral("DejaVu Sans");
    skin->ellipsisWidth = 150;
    list->ResetControl(skin);
    list->Setup_Cols_Headers({{QStringLiteral("Topic"), 4}, {QStringLiteral("Hits"), 1}});
    list->Move(0, 0, 3135, 5175);
    window.resize(400, 400);
    window.show();
  }
};

void BM_SubmitTenThousandRows(benchmark::State& state) {
  ListFixture fixture;
  const core::StringTable table = LongTable(10000);
  for (auto _ : state) fixture.list->Submit_Data_Array(table, 1);
}
BENCHMARK(BM_SubmitTenThousandRows)->Unit(benchmark::kMillisecond);

void BM_RepaintAfterScrollStep(benchmark::State& state) {
  ListFixture fixture;
  const core::StringTable table = LongTable(10000);
  fixture.list->Submit_Data_Array(table, 1);
  QImage image(fixture.list->size(), QImage::Format_ARGB32_Premultiplied);
  int offset = 0;
  for (auto _ : state) {
    offset = (offset + 120) % 100000;
    fixture.list->VScrollButton->Submit_New_Coord(offset);
    QPainter painter(&image);
    fixture.list->render(&painter);
  }
}
BENCHMARK(BM_RepaintAfterScrollStep)->Unit(benchmark::kMillisecond);

// A page whose subject never ends: fitting must not grow with its length.
void BM_SubmitA200KilobyteSubject(benchmark::State& state) {
  ListFixture fixture;
  core::StringTable table = LongTable(1);
  QString subject;
  while (subject.size() < 200 * 1024) subject += QStringLiteral("word ");
  table.Set(0, 0, subject);
  for (auto _ : state) fixture.list->Submit_Data_Array(table, 1);
}
BENCHMARK(BM_SubmitA200KilobyteSubject)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
