// The row rule: every contact's values laid out under the combined header, one line each.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "conversion/header_list.h"
#include "conversion/property_rules.h"
#include "conversion/row_writer.h"

namespace brimwell::bench {
namespace {

/// The value lists of every contact, as the combined converter's second pass fills them.
std::vector<std::vector<std::string>> contactRows()
{
    struct Collector final : FieldSink {
        HeaderList headers;
        std::vector<std::vector<std::pair<std::string, std::string>>> fields;
        void field(std::string_view name, std::string_view value) override
        {
            headers.add(name);
            fields.back().emplace_back(name, value);
        }
    } collector;
    PropertyRules rules(quietWindow(), RuleSet::All);
    for (const auto& contact : microContactLines()) {
        collector.fields.emplace_back();
        rules.startContact();
        for (std::string_view line : contact)
            rules.recognize(line, collector);
    }
    std::vector<std::vector<std::string>> rows;
    for (const auto& fields : collector.fields) {
        auto& row = rows.emplace_back(collector.headers.size());
        for (const auto& [name, value] : fields)
            row[static_cast<std::size_t>(collector.headers.find(name))] = value;
    }
    return rows;
}

void BM_RowBuilder(benchmark::State& state, bool quotes)
{
    const auto rows = contactRows();
    RowBuilder row("\t");
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const auto& values : rows) {
            row.clear();
            for (const auto& value : values)
                row.append(value, RowKind::Data, quotes);
            bytes += row.finish().size();
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK_CAPTURE(BM_RowBuilder, quoted, true);
BENCHMARK_CAPTURE(BM_RowBuilder, bare, false);

}  // namespace
}  // namespace brimwell::bench
