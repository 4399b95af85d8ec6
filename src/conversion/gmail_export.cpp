#include "conversion/gmail_export.h"

#include <iterator>
#include <string_view>
#include <vector>

#include "base/error_trap.h"
#include "base/progress.h"
#include "base/window.h"
#include "conversion/output_path.h"
#include "conversion/property_lookup.h"
#include "textio/paths.h"
#include "textio/text_writer.h"

namespace brimwell {

namespace {

/// Where one field comes from: a lookup of `property` with `typeWord` on the source file,
/// or, without a property, the constant (often empty).
struct Field {
    std::string_view property = {};
    std::string_view typeWord = {};
    std::string_view fallback = {};  ///< looked up when `property` gives the empty string
    std::string_view constant = {};
};

constexpr Field kName{.property = "FN", .fallback = "N"};

struct Column {
    std::string_view header;
    Field field;
};

// The columns in order; the lookups are made in this order too.
constexpr Column kGmailLayout[] = {
    {"Name", kName},
    {"E-mail", {.property = "EMAIL"}},
    {"Notes", {.property = "NOTE"}},
    {"Section 1 - Description", {.constant = "Home"}},
    {"Section 1 - Email", {}},
    {"Section 1 - IM", {}},
    {"Section 1 - Phone", {.property = "TEL", .typeWord = "HOME"}},
    {"Section 1 - Mobile", {.property = "TEL", .typeWord = "CELL"}},
    {"Section 1 - Pager", {.property = "TEL", .typeWord = "PAGER"}},
    {"Section 1 - Fax", {}},
    {"Section 1 - Company", {}},
    {"Section 1 - Title", {}},
    {"Section 1 - Other", {}},
    {"Section 1 - Address", {.property = "ADR", .typeWord = "HOME"}},
    {"Section 2 - Description", {.constant = "Work"}},
    {"Section 2 - Email", {}},
    {"Section 2 - IM", {}},
    {"Section 2 - Phone", {.property = "TEL", .typeWord = "WORK"}},
    {"Section 2 - Mobile", {}},
    {"Section 2 - Pager", {}},
    {"Section 2 - Fax", {.property = "TEL", .typeWord = "FAX"}},
    {"Section 2 - Company", {.property = "ORG"}},
    {"Section 2 - Title", {.property = "TITLE"}},
    {"Section 2 - Other", {}},
    {"Section 2 - Address", {.property = "ADR", .typeWord = "WORK"}},
};

struct FilterColumn {
    Control box;
    Column column;
};

constexpr FilterColumn kFilteredLayout[] = {
    {Control::Check6, {"Name", kName}},
    {Control::Check8, {"Address", {.property = "ADR"}}},
    {Control::Check3, {"Email", {.property = "EMAIL"}}},
    {Control::Check4, {"Phone Numbers", {.property = "TEL"}}},
};

std::string fieldValue(const VcfLookup& source, const Field& field)
{
    if (field.property.empty())
        return std::string(field.constant);
    std::string value = source.value(field.property, field.typeWord);
    if (value.empty() && !field.fallback.empty())
        value = source.value(field.fallback, "");
    return value;
}

void appendField(std::string& line, std::string_view field, bool quote)
{
    if (quote)
        line.append(1, '"').append(field).append(1, '"');
    else
        line.append(field);
}

/// Fills the header (when `header` is given) and the data line of `source` (when `data`
/// is given) of one layout, reading the window's boxes at the moments the layout reads them.
using LineBuilder = void (*)(Window& window, std::string_view separator, const VcfLookup* source,
                             std::string* header, std::string* data);

void buildGmailLines(Window& window, std::string_view separator, const VcfLookup* source,
                     std::string* header, std::string* data)
{
    if (header) {
        const bool quote = isTicked(window, Control::Check9);
        for (const Column& column : kGmailLayout) {
            if (&column != std::begin(kGmailLayout))
                header->append(separator);
            appendField(*header, column.header, quote);
        }
    }
    if (data) {
        // All lookups first: the quote box is read once they are done.
        std::vector<std::string> fields;
        fields.reserve(std::size(kGmailLayout));
        for (const Column& column : kGmailLayout)
            fields.push_back(fieldValue(*source, column.field));
        const bool quote = isTicked(window, Control::Check9);
        for (const std::string& field : fields) {
            if (&field != &fields.front())
                data->append(separator);
            appendField(*data, field, quote);
        }
    }
}

void buildFilteredLines(Window& window, std::string_view separator, const VcfLookup* source,
                        std::string* header, std::string* data)
{
    // Each box and the quote box are read field by field, once for both lines.
    for (const auto& [box, column] : kFilteredLayout) {
        if (!isTicked(window, box))
            continue;
        const bool quote = isTicked(window, Control::Check9);
        if (header) {
            appendField(*header, column.header, quote);
            header->append(separator);
        }
        if (data) {
            appendField(*data, fieldValue(*source, column.field), quote);
            data->append(separator);
        }
    }
}

void convertOneFile(Window& window, std::string_view procedure, LineBuilder build,
                    const std::string& vcfPath, std::string_view separator)
{
    ErrorTrap trap(window, "modCSV", procedure);
    std::string target;
    if (!clearPerFileTarget(trap, window, vcfPath, target))
        return;
    std::string header;
    std::string data;
    trap.step(3, [&] {
        const VcfLookup source(window, vcfPath);
        build(window, separator, &source, &header, &data);
    });
    // An empty target (no destination selected) cannot be opened: nothing is written.
    trap.step(4, [&] {
        TargetFile out(target, &window);
        out.writeLine(header, kAppend);
        out.writeLine(data, kAppend);
        out.close();
    });
}

void convertWholeList(Window& window, std::string_view procedure, LineBuilder build,
                      const std::string& csvPath, std::string_view separator)
{
    ErrorTrap trap(window, "modCSV", procedure);
    TargetFile out(csvPath, &window);
    std::string header;
    trap.step(1, [&] { build(window, separator, nullptr, &header, nullptr); });
    trap.step(2, [&] { out.writeLine(header, kReplace); });
    const int count = window.listCount();
    for (int i = 1; i <= count; ++i) {
        std::string vcfPath;
        std::string data;
        trap.step(3, [&] { window.setProgressValue(progressPercent(i, window.listCount())); });
        trap.step(3, [&] { vcfPath = window.listItem(i); });
        trap.step(3, [&] { window.setProgressText("Processing: " + GetFileName(vcfPath)); });
        trap.step(3, [&] {
            const VcfLookup source(window, vcfPath);
            build(window, separator, &source, nullptr, &data);
        });
        trap.step(3, [&] { out.writeLine(data, kAppend); });
    }
    out.close();
}

}  // namespace

void ConvertVCFToGmailCSV(Window& window, const std::string& vcfPath, const std::string& separator)
{
    convertOneFile(window, "ConvertVCFToGmailCSV", buildGmailLines, vcfPath, separator);
}

void ConvertVCFToGmailSingleCSV(Window& window, const std::string& csvPath,
                                const std::string& separator)
{
    convertWholeList(window, "ConvertVCFToGmailSingleCSV", buildGmailLines, csvPath, separator);
}

void ConvertVCFToGmailCSVLimit(Window& window, const std::string& vcfPath,
                               const std::string& separator)
{
    convertOneFile(window, "ConvertVCFToGmailCSVLimit", buildFilteredLines, vcfPath, separator);
}

void ConvertVCFToGmailSingleCSVLimit(Window& window, const std::string& csvPath,
                                     const std::string& separator)
{
    convertWholeList(window, "ConvertVCFToGmailSingleCSVLimit", buildFilteredLines, csvPath,
                     separator);
}

}  // namespace brimwell
