// Speed of number text: "%f" of the values a formula evaluation produces
// (every intermediate value is formatted once), parsing, and CString::Format.
#include "base/CString.h"
#include "base/NumberText.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<double> TypicalValues()
{
    std::vector<double> v;
    for (int i = 0; i < 10000; ++i) {
        switch (i % 5) {
        case 0: v.push_back(i); break;                          // whole numbers
        case 1: v.push_back(i * 0.01); break;                   // money-like amounts
        case 2: v.push_back(i / 7.0); break;                    // long fractions
        case 3: v.push_back(-i * 1234.5678); break;             // larger negatives
        default: v.push_back(0.5 * (i % 20)); break;            // exact halves (tie checks)
        }
    }
    return v;
}

void BM_FixedText10000(benchmark::State& state)
{
    const std::vector<double> values = TypicalValues();
    std::string out;
    for (auto _ : state) {
        for (double d : values) {
            out.clear();
            NumberTextSpec spec;
            AppendNumberText(out, d, spec);
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}
BENCHMARK(BM_FixedText10000);

void BM_CStringFormatF10000(benchmark::State& state)
{
    const std::vector<double> values = TypicalValues();
    CString s;
    for (auto _ : state) {
        for (double d : values) {
            s.Format("%f", d);
            benchmark::DoNotOptimize(s.GetString());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}
BENCHMARK(BM_CStringFormatF10000);

void BM_ScientificText(benchmark::State& state)
{
    const std::vector<double> values = TypicalValues();
    std::string out;
    NumberTextSpec spec;
    spec.conversion = 'e';
    for (auto _ : state) {
        for (double d : values) {
            out.clear();
            AppendNumberText(out, d, spec);
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}
BENCHMARK(BM_ScientificText);

void BM_HugeFixedText(benchmark::State& state)
{
    std::string out;
    NumberTextSpec spec;
    for (auto _ : state) {
        out.clear();
        AppendNumberText(out, 1e300, spec);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_HugeFixedText);

void BM_AToF(benchmark::State& state)
{
    const std::vector<double> values = TypicalValues();
    std::vector<std::string> texts;
    for (double d : values)
        texts.push_back(FormatNumberText(d, 'f', 6));
    for (auto _ : state) {
        for (const std::string& t : texts)
            benchmark::DoNotOptimize(AToF(t.c_str()));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}
BENCHMARK(BM_AToF);

}  // namespace
