// Case-insensitive search against plain search over the same text: the
// ratio shows what Unicode folding costs the finder and name lookups.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/Text.h"

namespace {

std::u16string MakeHaystack() {
  std::u16string text;
  for (int i = 0; i < 700; ++i) text += u"Some Tool Name Ünïcode " + kva::ToDecimal(i) + u"\n";
  return text;
}

void BM_FindPlain_Baseline(benchmark::State& state) {
  const auto hay = MakeHaystack();
  for (auto _ : state) benchmark::DoNotOptimize(hay.find(u"name Ünïcode 699"));
}
BENCHMARK(BM_FindPlain_Baseline);

void BM_FindNoCase(benchmark::State& state) {
  const auto hay = MakeHaystack();
  for (auto _ : state) benchmark::DoNotOptimize(kva::FindNoCase(hay, u"NAME üNÏCODE 699"));
}
BENCHMARK(BM_FindNoCase);

}  // namespace
