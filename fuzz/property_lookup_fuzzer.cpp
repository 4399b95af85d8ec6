// The property lookup over a file's lines: every lookup of both Gmail layouts gives a
// cleaned value, and the lookup on the file gives what the lookup on its lines gives.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "conversion/property_lookup.h"
#include "fuzz_support.h"

using namespace brimwell;

namespace {

struct Lookup {
    std::string_view name;
    std::string_view typeWord;
};

constexpr Lookup kLookups[] = {
    {"FN", ""},      {"N", ""},        {"EMAIL", ""},   {"NOTE", ""},    {"TEL", "HOME"},
    {"TEL", "CELL"}, {"TEL", "PAGER"}, {"ADR", "HOME"}, {"TEL", "WORK"}, {"TEL", "FAX"},
    {"ORG", ""},     {"TITLE", ""},    {"ADR", "WORK"}, {"ADR", ""},     {"TEL", ""},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    test::ScriptedWindow window;
    const LineArray lines = linesFromFileBytes(bytes);
    const std::string path = fuzz::scratchFile("lookup.vcf");
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(size));
    const VcfLookup fromFile(window, path);

    for (const auto& [name, typeWord] : kLookups) {
        const std::string value = lookupValue(window, lines, name, typeWord);
        fuzz::require(value.find('\r') == std::string::npos, "a value holds no carriage return");
        fuzz::require(value.empty() || (value.front() != ' ' && value.back() != ' '),
                      "a value is trimmed");
        fuzz::require(fromFile.value(name, typeWord) == value,
                      "the file lookup gives the same value");
    }
    fuzz::require(window.errorReports().empty(), "a written file reads without a report");
    return 0;
}
