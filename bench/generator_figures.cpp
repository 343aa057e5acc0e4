// The generator against its floor: per attempt one clock reading and two draws,
// times the expected number of attempts of the type.
#include <benchmark/benchmark.h>

#include <map>

#include "clock_random_source.h"
#include "figures.h"
#include "problem_generator.h"

namespace zelkor::bench {
namespace {

// Collects each benchmark's time per iteration in nanoseconds.
class CollectingReporter final : public benchmark::BenchmarkReporter {
  public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            nanoseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }
    std::map<std::string, double> nanoseconds;
};

// Drawn pairs per accepted pair, from the type's own rules.
double expectedAttempts(ProblemType type) {
    const TypeRanges r = rangesOf(type);
    int accepted = 0;
    for (int a = r.a.base; a < r.a.base + r.a.width; ++a) {
        for (int b = r.b.base; b < r.b.base + r.b.width; ++b)
            accepted += acceptPair(type, a, b) ? 1 : 0;
    }
    return static_cast<double>(r.a.width) * r.b.width / accepted;
}

void registerBenchmarks() {
    benchmark::RegisterBenchmark("clock", [](benchmark::State& state) {
        for (auto _ : state) benchmark::DoNotOptimize(ClockRandomSource::steadyClockNanoseconds());
    });
    benchmark::RegisterBenchmark("draw", [](benchmark::State& state) {
        ClockRandomSource random;
        for (auto _ : state) benchmark::DoNotOptimize(random.nextFraction());
    });
    for (ProblemType type = 0; type < kProblemTypeCount; ++type) {
        benchmark::RegisterBenchmark(("type" + std::to_string(type)).c_str(),
                                     [type](benchmark::State& state) {
                                         ClockRandomSource random;
                                         for (auto _ : state) {
                                             benchmark::DoNotOptimize(drawProblem(type, random));
                                         }
                                     });
    }
}

}  // namespace

std::vector<Figure> generatorFigures(const Options& options) {
    registerBenchmarks();
    std::string minTime = options.quick ? "--benchmark_min_time=0.05" : "--benchmark_min_time=0.5";
    std::string repetitions =
        options.quick ? "--benchmark_repetitions=1" : "--benchmark_repetitions=5";
    char name[] = "zelkor_bench";
    char* argv[] = {name, minTime.data(), repetitions.data(), nullptr};
    int argc = 3;
    benchmark::Initialize(&argc, argv);
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const double clock = reporter.nanoseconds["clock"];
    const double draw = reporter.nanoseconds["draw"];
    std::vector<Figure> figures;
    figures.push_back({"clock reading, ns", fixed(clock, 1), "", ""});
    figures.push_back({"one draw, ns", fixed(draw, 1), "", ""});
    for (ProblemType type = 0; type < kProblemTypeCount; ++type) {
        const double attempts = expectedAttempts(type);
        const double floor = attempts * (clock + 2 * draw);
        const double measured = reporter.nanoseconds["type" + std::to_string(type)];
        // Information only: a problem is made at most once per pace tick, a millisecond
        // or more apart, so no user can tell these apart.
        figures.push_back({"type " + std::to_string(type) + ", ns per problem (" +
                               fixed(attempts, 2) + " attempts)",
                           fixed(measured, 1) + " (" + fixed(measured / floor, 2) + "x floor)", "",
                           ""});
    }
    benchmark::Shutdown();
    return figures;
}

}  // namespace zelkor::bench
