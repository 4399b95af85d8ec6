// The property rules over every line of every contact, for each rule set.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "conversion/property_rules.h"

namespace brimwell::bench {
namespace {

struct CountingSink final : FieldSink {
    std::size_t fields = 0;
    void field(std::string_view name, std::string_view value) override
    {
        fields += name.size() + value.size();
    }
};

void BM_recognize(benchmark::State& state, RuleSet ruleSet, bool filterTicked)
{
    ConsoleWindow& window = quietWindow();
    for (Control box : {Control::Check3, Control::Check4, Control::Check6, Control::Check8})
        window.options.setCheck(box, filterTicked ? 1 : 0);
    const auto& contacts = microContactLines();
    PropertyRules rules(window, ruleSet);
    CountingSink sink;
    std::size_t lines = 0;
    for (auto _ : state) {
        for (const auto& contact : contacts) {
            rules.startContact();
            for (std::string_view line : contact)
                rules.recognize(line, sink);
            lines += contact.size();
        }
    }
    benchmark::DoNotOptimize(sink.fields);
    state.SetItemsProcessed(static_cast<int64_t>(lines));
    for (Control box : {Control::Check3, Control::Check4, Control::Check6, Control::Check8})
        window.options.setCheck(box, 0);
}
BENCHMARK_CAPTURE(BM_recognize, all, RuleSet::All, false);
BENCHMARK_CAPTURE(BM_recognize, all_with_parameters, RuleSet::AllWithParameters, false);
BENCHMARK_CAPTURE(BM_recognize, filtered_all_boxes, RuleSet::Filtered, true);

}  // namespace
}  // namespace brimwell::bench
