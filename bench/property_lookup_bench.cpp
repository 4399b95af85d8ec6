// The property lookup: the fields of the Gmail layout fetched from one-contact files.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "conversion/property_lookup.h"
#include "corpus.h"

namespace brimwell::bench {
namespace {

constexpr int kFiles = 200;

// The lookups the Gmail layout makes for one file, in its order.
constexpr std::pair<std::string_view, std::string_view> kGmailLookups[] = {
    {"FN", ""},      {"EMAIL", ""},    {"NOTE", ""},    {"TEL", "HOME"},
    {"TEL", "CELL"}, {"TEL", "PAGER"}, {"ADR", "HOME"}, {"TEL", "WORK"},
    {"TEL", "FAX"},  {"ORG", ""},      {"TITLE", ""},   {"ADR", "WORK"},
};

void BM_lookupValue(benchmark::State& state)
{
    std::vector<LineArray> files;
    for (int i = 0; i < kFiles; ++i)
        files.push_back(linesFromFileBytes(corpusText(1, static_cast<std::uint64_t>(i))));
    ConsoleWindow& window = quietWindow();
    std::size_t lookups = 0;
    for (auto _ : state) {
        for (const LineArray& lines : files) {
            for (const auto& [name, typeWord] : kGmailLookups)
                benchmark::DoNotOptimize(lookupValue(window, lines, name, typeWord));
            lookups += std::size(kGmailLookups);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(lookups));
}
BENCHMARK(BM_lookupValue);

}  // namespace
}  // namespace brimwell::bench
