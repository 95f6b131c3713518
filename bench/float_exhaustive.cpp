// Checks Lumo's atanf, logf and expf on all 2^32 float inputs against the
// x87 long double atanl, logl and expl rounded to float, and prints the
// count of wrong results and the run time of each.
//
//   float_exhaustive [atan|log|exp|all] [--threads N] [--quick]
//
// --quick compares only the inputs whose double evaluation lies near a
// halfway point between two floats (the candidates for the table of
// exceptions). A finite reference within 2^-60 of a halfway point cannot
// settle its input; such inputs are listed as undecided, for a wider
// evaluation.
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "numbers/float_math.h"

namespace {

static_assert(sizeof(long double) > sizeof(double), "needs the x87 long double");

struct Function {
  const char* name;
  float (*ours)(float);
  long double (*reference)(long double);
  double (*estimate)(float);
  bool (*in_estimate_range)(float);
};

long double ref_atan(long double x) { return atanl(x); }
long double ref_log(long double x) { return logl(x); }
long double ref_exp(long double x) { return expl(x); }

bool atan_range(float x) { return std::isfinite(x) && std::fabs(x) >= 0x1p-12f; }
bool log_range(float x) { return std::isfinite(x) && x > 0.0f; }
bool exp_range(float x) { return x >= -104.0f && x <= 89.0f; }

const Function kFunctions[] = {
    {"atanf", lumo::num::atanf, ref_atan, lumo::num::detail::atan_estimate, atan_range},
    {"logf", lumo::num::logf, ref_log, lumo::num::detail::log_estimate, log_range},
    {"expf", lumo::num::expf, ref_exp, lumo::num::detail::exp_estimate, exp_range},
};

std::uint32_t bits(float x) {
  std::uint32_t u = 0;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

float from_bits(std::uint32_t u) {
  float x = 0.0f;
  std::memcpy(&x, &u, sizeof x);
  return x;
}

struct Finding {
  std::uint32_t input;
  std::uint32_t ours;
  std::uint32_t expected;
  long double reference;
};

struct Tally {
  std::uint64_t checked = 0;
  std::uint64_t wrong = 0;
  std::uint64_t undecided = 0;
  std::vector<Finding> wrong_list;
  std::vector<Finding> undecided_list;
};

void check_range(const Function& f, bool quick, std::uint64_t begin, std::uint64_t end,
                 Tally& tally) {
  for (std::uint64_t i = begin; i < end; ++i) {
    const float x = from_bits(static_cast<std::uint32_t>(i));
    if (quick && !(f.in_estimate_range(x) && lumo::num::detail::near_halfway(f.estimate(x))))
      continue;
    ++tally.checked;
    const float ours = f.ours(x);
    const long double r = f.reference(static_cast<long double>(x));
    const float expected = static_cast<float>(r);
    const long double d = r * 0x1p-60L;
    if (std::isfinite(r) && static_cast<float>(r - d) != static_cast<float>(r + d)) {
      ++tally.undecided;
      if (tally.undecided_list.size() < 100)
        tally.undecided_list.push_back({bits(x), bits(ours), bits(expected), r});
    }
    const bool same = bits(ours) == bits(expected) || (std::isnan(ours) && std::isnan(expected));
    if (!same) {
      ++tally.wrong;
      if (tally.wrong_list.size() < 1000)
        tally.wrong_list.push_back({bits(x), bits(ours), bits(expected), r});
    }
  }
}

int run(const Function& f, bool quick, unsigned threads) {
  const auto start = std::chrono::steady_clock::now();
  std::vector<Tally> tallies(threads);
  std::vector<std::thread> workers;
  constexpr std::uint64_t kAll = 1ULL << 32;
  constexpr std::uint64_t kChunks = 1024;
  // Chunks dealt round robin, so that slow stretches spread over threads.
  for (unsigned t = 0; t < threads; ++t) {
    workers.emplace_back([&, t] {
      for (std::uint64_t c = t; c < kChunks; c += threads)
        check_range(f, quick, c * (kAll / kChunks), (c + 1) * (kAll / kChunks), tallies[t]);
    });
  }
  for (auto& w : workers) w.join();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  Tally all;
  for (const auto& t : tallies) {
    all.checked += t.checked;
    all.wrong += t.wrong;
    all.undecided += t.undecided;
    all.wrong_list.insert(all.wrong_list.end(), t.wrong_list.begin(), t.wrong_list.end());
    all.undecided_list.insert(all.undecided_list.end(), t.undecided_list.begin(),
                              t.undecided_list.end());
  }
  for (const auto& w : all.wrong_list) {
    std::printf("  wrong: x=0x%08xu (%a) ours=0x%08xu expected=0x%08xu reference=%.25La\n", w.input,
                static_cast<double>(from_bits(w.input)), w.ours, w.expected, w.reference);
  }
  for (const auto& u : all.undecided_list) {
    std::printf("  undecided: x=0x%08xu (%a) reference=%.25La\n", u.input,
                static_cast<double>(from_bits(u.input)), u.reference);
  }
  std::printf("%s: %llu wrong of %llu inputs checked%s, %llu undecided by long double, %.1f s\n",
              f.name, static_cast<unsigned long long>(all.wrong),
              static_cast<unsigned long long>(all.checked), quick ? " (quick)" : "",
              static_cast<unsigned long long>(all.undecided), seconds);
  std::fflush(stdout);
  return all.wrong == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string which = "all";
  bool quick = false;
  unsigned threads = std::thread::hardware_concurrency();
  if (threads == 0) threads = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--quick") {
      quick = true;
    } else if (arg == "--threads" && i + 1 < argc) {
      threads = static_cast<unsigned>(std::stoul(argv[++i]));
    } else {
      which = arg;
    }
  }
  int status = 0;
  for (const auto& f : kFunctions) {
    if (which == "all" || which + "f" == f.name) status |= run(f, quick, threads);
  }
  return status;
}
