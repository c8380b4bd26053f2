// Cost of one hourly spreadsheet row through the fixed-column formats: a year of hourly
// files is millions of fields.
#include <benchmark/benchmark.h>

#include "engine/core/files.h"
#include "engine/core/fixfmt.h"

static void BM_HourlyRow(benchmark::State& state) {
  kv::OutFile out;
  out.open("/dev/null");
  float v = 12.345f;
  for (auto _ : state) {
    kv::Line ln;
    ln.I(15, 3).ch('\t').text("JAN").ch('\t').I(7, 2);
    for (int i = 0; i < 30; ++i) {
      ln.ch('\t').F(v, 9, 2);
      v += 0.37f;
    }
    out.line(ln.view());
  }
  state.SetItemsProcessed(state.iterations() * 33);
}
BENCHMARK(BM_HourlyRow);

BENCHMARK_MAIN();
