// Cutting a multi-contact text into its contacts: the procedure that copies them into the
// contact lists, and the cut the converters use, which keeps them as views.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "conversion/multi_contact_split.h"

namespace brimwell::bench {
namespace {

constexpr const char* kPath = "/home/ann/contacts.vcf";

void BM_SplitMultiVCF(benchmark::State& state, Control format)
{
    ConsoleWindow& window = quietWindow();
    window.options.select(format);
    const std::string& text = microText();
    for (auto _ : state)
        benchmark::DoNotOptimize(SplitMultiVCF(window, text, kPath, false));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    window.options.select(Control::Option1);
}
BENCHMARK_CAPTURE(BM_SplitMultiVCF, standard, Control::Option1);
BENCHMARK_CAPTURE(BM_SplitMultiVCF, gmail, Control::Option2);

void BM_cutContacts(benchmark::State& state)
{
    ConsoleWindow& window = quietWindow();
    const std::string& text = microText();
    for (auto _ : state)
        benchmark::DoNotOptimize(cutContacts(window, text, kPath).count);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_cutContacts);

void BM_replayCut(benchmark::State& state)
{
    ConsoleWindow& window = quietWindow();
    const std::string& text = microText();
    const ContactCut cut = cutContacts(window, text, kPath);
    for (auto _ : state)
        replayCut(window, kPath, cut);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * cut.count));
}
BENCHMARK(BM_replayCut);

}  // namespace
}  // namespace brimwell::bench
