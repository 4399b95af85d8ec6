// The property rules in their three sets, and the row rule over the fields they yield.
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

#include "conversion/property_rules.h"
#include "conversion/row_writer.h"
#include "fuzz_support.h"

using namespace brimwell;

namespace {

struct Fields final : FieldSink {
    std::vector<std::string> names;
    std::vector<std::string> values;
    void field(std::string_view name, std::string_view value) override
    {
        fuzz::require(!name.empty(), "every field has a column name");
        names.emplace_back(name);
        values.emplace_back(value);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto bits = input.ConsumeIntegral<std::uint16_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();
    test::ScriptedWindow window;
    fuzz::applyOptions(window, bits);
    const std::string separator = fuzz::separatorOf(bits);
    const bool quotes = window.checkValue(Control::Check9) == 1;

    for (RuleSet set : {RuleSet::All, RuleSet::AllWithParameters, RuleSet::Filtered}) {
        PropertyRules rules(window, set);
        Fields fields;
        rules.startContact();
        // Lines are cut at line feeds, as the combined converter cuts a contact.
        std::string_view rest = text;
        while (!rest.empty()) {
            const auto end = rest.find('\n');
            const std::string_view line = rest.substr(0, end);
            rules.recognize(line, fields);
            if (line.starts_with("END:VCARD"))
                rules.startContact();
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        }
        if (set == RuleSet::Filtered && (bits >> 5 & 0xFu) == 0)
            fuzz::require(fields.names.empty(), "no filter box ticked keeps no field");

        RowBuilder header(separator);
        RowBuilder row(separator);
        for (std::size_t i = 0; i < fields.names.size(); ++i) {
            header.append(fields.names[i], RowKind::Header, quotes);
            row.append(fields.values[i], RowKind::Data, quotes);
        }
        const std::string_view line = row.finish();
        fuzz::require(line.find_first_of("\r\n") == std::string_view::npos,
                      "a data line holds no line break");
        if (quotes && !fields.names.empty())
            fuzz::require(line.front() == '"' && line.back() == '"', "quoted values stay quoted");
        header.finish();
    }
    return 0;
}
