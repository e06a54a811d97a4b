// Number text against the C library on the same values, printed side by side with their ratio.
#include "number_text/decimal_mark.h"
#include "number_text/number_text.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

// A fixed-seed mix of magnitudes from 1E-300 to 1E300 and of digit counts.
const std::vector<long double> &Values()
{
    static const std::vector<long double> values = [] {
        std::mt19937_64 random(20261207);
        std::uniform_real_distribution<double> mantissa(1.0, 10.0);
        std::uniform_int_distribution<int> exponent(-300, 300);
        std::vector<long double> v(4096);
        for (long double &x : v)
            x = mantissa(random) * std::pow(10.0L, exponent(random));
        return v;
    }();
    return values;
}

const std::vector<std::string> &Texts()
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> t;
        char buffer[64];
        for (long double x : Values()) {
            std::snprintf(buffer, sizeof buffer, "%.15Lg", x);
            t.emplace_back(buffer);
        }
        return t;
    }();
    return texts;
}

void NumberToText_Ortix(benchmark::State &state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NumberToText(Values()[i++ % Values().size()]));
    }
    state.SetItemsProcessed(state.iterations());
}

void NumberToText_Snprintf(benchmark::State &state)
{
    std::size_t i = 0;
    char buffer[64];
    for (auto _ : state) {
        std::snprintf(buffer, sizeof buffer, "%.15Lg", Values()[i++ % Values().size()]);
        benchmark::DoNotOptimize(buffer);
    }
    state.SetItemsProcessed(state.iterations());
}

void NumberFromText_Ortix(benchmark::State &state)
{
    std::vector<QString> texts;
    for (const std::string &text : Texts())
        texts.push_back(QString::fromStdString(text));
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(NumberFromText(texts[i++ % texts.size()]));
    state.SetItemsProcessed(state.iterations());
}

void NumberFromText_Strtold(benchmark::State &state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(std::strtold(Texts()[i++ % Texts().size()].c_str(), nullptr));
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(NumberToText_Ortix);
BENCHMARK(NumberToText_Snprintf);
BENCHMARK(NumberFromText_Ortix);
BENCHMARK(NumberFromText_Strtold);

// Collects the times so that each conversion can be printed beside its peer.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            nanoseconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-16s %14s %14s %8s\n", "conversion", "Ortix-T ns", "C library ns", "ratio");
        Print("NumberToText", "NumberToText_Ortix", "NumberToText_Snprintf");
        Print("NumberFromText", "NumberFromText_Ortix", "NumberFromText_Strtold");
    }

private:
    void Print(const char *what, const std::string &ours, const std::string &peer)
    {
        const double a = nanoseconds_[ours], b = nanoseconds_[peer];
        std::printf("%-16s %14.1f %14.1f %8.2f\n", what, a, b, b > 0 ? a / b : 0.0);
    }

    std::map<std::string, double> nanoseconds_;
};

} // namespace

int main(int argc, char **argv)
{
    DecimalMark = '.';
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
