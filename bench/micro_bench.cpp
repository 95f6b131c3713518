// Micro benchmarks of the hot paths of a long sweep: the fixed-point field
// writer for every field width of the reports, numeric entry parsing, the
// loss, sensitivity and synthesis routines, and the tolerance Monte Carlo.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "checks/monte_carlo.h"
#include "lines/lines.h"
#include "textio/fields.h"
#include "textio/format_writer.h"
#include "textio/numeric_entry.h"
#include "textio/statement.h"

namespace {

std::vector<float> report_values(std::size_t n) {
  std::mt19937 rng(12345);
  std::uniform_real_distribution<float> mag(-3.0f, 5.0f);
  std::uniform_int_distribution<int> sign(0, 1);
  std::vector<float> v(n);
  for (auto& x : v) {
    float m = std::pow(10.0f, mag(rng));
    x = sign(rng) ? -m : m;
  }
  return v;
}

void BM_FixedField(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  const int d = static_cast<int>(state.range(1));
  const auto values = report_values(4096);
  char out[64];
  std::size_t i = 0;
  for (auto _ : state) {
    lumo::fixed_field(out, values[i++ & 4095], w, d);
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_FixedField)
    ->Args({7, 2})
    ->Args({7, 3})
    ->Args({7, 4})
    ->Args({8, 2})
    ->Args({8, 3})
    ->Args({8, 4})
    ->Args({8, 5})
    ->Args({9, 2})
    ->Args({9, 3})
    ->Args({9, 4})
    ->Args({10, 2})
    ->Args({10, 3})
    ->Args({10, 4})
    ->Args({11, 3})
    ->Args({11, 4});

void BM_FrequencyRow(benchmark::State& state) {
  static constexpr lumo::Statement<float, float, float, float, float, float, float> kRow{
      lumo::Stmt::kFrequencyRow, "(8X,F8.3,F10.3,F10.3,F10.4,F9.4,F11.4,F10.4)"};
  lumo::OutputChannel out;
  const auto values = report_values(4096);
  std::size_t i = 0;
  for (auto _ : state) {
    float f = values[i++ & 4095];
    const lumo::Values<float, float, float, float, float, float, float> row{f, f, f, f, f, f, f};
    lumo::format_fields(out, kRow.list(), row.fields);
    if (out.text().size() > (1u << 16)) out.take_text();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_FrequencyRow);

void BM_ParseNumeric(benchmark::State& state) {
  const std::vector<std::string> fields = {"1.72",          "0.0004", "  2.1", "1.5-3",
                                           "1234567890.12", "1E3",    "-.5",   "99.99"};
  std::size_t i = 0;
  for (auto _ : state) {
    auto e = lumo::parse_numeric(fields[i++ % fields.size()]);
    benchmark::DoNotOptimize(e);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_ParseNumeric);

void BM_Lmloss(benchmark::State& state) {
  const float b = 0.25f, d = 0.1f, er = 2.1f, srb = 50e-6f, srd = 50e-6f;
  const float res = 1.72f * 3.937008e-7f, dltan = 0.0002f;
  lumo::Lmlos1 out;
  float f = 1.0f;
  for (auto _ : state) {
    lumo::lmloss(b, d, er, srb, srd, res, res, dltan, f, out);
    benchmark::DoNotOptimize(out);
    f += 0.001f;
  }
}
BENCHMARK(BM_Lmloss);

void BM_Lmsen(benchmark::State& state) {
  float b = 0.25f, d = 0.1f, er = 2.1f, zo = 50.0f;
  lumo::Lmsen1 out;
  for (auto _ : state) {
    lumo::lmsen(b, d, er, zo, out);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_Lmsen);

void BM_Lmsyn(benchmark::State& state) {
  float b = 0.25f, d = 0.1f;
  const float er = 2.1f;
  const std::int32_t isyn = 2;
  std::int32_t isyne = 0;
  float zo = 10.0f;
  for (auto _ : state) {
    lumo::lmsyn(b, d, er, zo, isyn, isyne);
    benchmark::DoNotOptimize(b);
    zo = zo > 200.0f ? 10.0f : zo + 0.5f;
  }
}
BENCHMARK(BM_Lmsyn);

// Monte Carlo samples per second on the delivered line's tolerance box, with
// and without a conductor offset, for both distributions.
void BM_MonteCarlo(benchmark::State& state) {
  lumo::checks::ToleranceInputs inputs;
  inputs.nominal = {0.2425, 0.0726, 2.1};
  inputs.outer_tol_in = 0.0005;
  inputs.inner_tol_in = 0.0003;
  inputs.er_tol = 0.02;
  inputs.offset_in = state.range(0) ? 0.001 : 0.0;
  inputs.distribution =
      state.range(1) ? lumo::checks::Distribution::uniform : lumo::checks::Distribution::normal;
  inputs.samples = 1000000;
  for (auto _ : state) {
    auto result = lumo::checks::monte_carlo(inputs);
    benchmark::DoNotOptimize(result);
    ++inputs.seed;
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(inputs.samples));
}
BENCHMARK(BM_MonteCarlo)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
