// The matrix-interpretation search on corpus problems: encoding plus solving of one shape,
// with an unbounded budget where the answer comes quickly and a fixed one where it does not.
#include <benchmark/benchmark.h>

#include "engine/corpus_testing.hpp"
#include "engine/interpretations/matrix_search.hpp"

namespace {

using namespace selko::engine;

void Search(benchmark::State& state, const char* name, MatrixShape shape, std::int64_t budget) {
  const Problem problem = testing::ReadCorpusProblem(name);
  for (auto _ : state)
    benchmark::DoNotOptimize(FindMatrixRemoval(problem, shape, budget, Deadline()));
}

// a b -> b b a, c b -> b c c: two dimensions, found at once.
BENCHMARK_CAPTURE(Search, growth_natural2, "std-0757",
                  MatrixShape{Domain::Natural, Compared::TopRight, 2, 2}, -1)
    ->Unit(benchmark::kMillisecond);
// Three rules whose first step is arctic.
BENCHMARK_CAPTURE(Search, three_rules_arctic2, "std-0001",
                  MatrixShape{Domain::Arctic, Compared::TopRight, 2, 2}, -1)
    ->Unit(benchmark::kMillisecond);
// Sides of nearly 200 letters: the shared products decide the encoding's size.
BENCHMARK_CAPTURE(Search, long_sides_natural2, "std-0159",
                  MatrixShape{Domain::Natural, Compared::TopRight, 2, 2}, 1000)
    ->Unit(benchmark::kMillisecond);
// 73 rules of 23 to 27 letters, relative: a fixed budget, mostly encoding.
BENCHMARK_CAPTURE(Search, many_rules_natural3, "rel-0001",
                  MatrixShape{Domain::Natural, Compared::TopLeft, 3, 2}, 1000)
    ->Unit(benchmark::kMillisecond);

} // namespace
