#include "conversion/property_lookup.h"

#include <utility>

#include "base/error_trap.h"
#include "base/text_ops.h"
#include "base/window.h"

namespace brimwell {

using text::containsIgnoringCase;
using text::replaceAll;
using text::trimSpaces;

namespace {

std::string cleanValue(std::string_view raw)
{
    std::string value(raw);
    replaceAll(value, "\\n", " ");
    replaceAll(value, "=0D", " ");
    replaceAll(value, "\r", "");
    replaceAll(value, "=0A", "");
    return std::string(trimSpaces(value));
}

bool qualifies(std::string_view head, std::string_view name, std::string_view typeWord)
{
    const std::string_view trimmedHead = trimSpaces(head);
    if (trimmedHead.empty())
        return false;
    if (text::equalsIgnoringCase(trimmedHead, name))
        return true;
    const std::string_view propertyName = trimSpaces(trimmedHead.substr(0, trimmedHead.find(';')));
    if (!text::equalsIgnoringCase(propertyName, name))
        return false;
    // "HOME" takes any line of the property, with whatever parameters.
    return typeWord == "HOME" || containsIgnoringCase(head, typeWord);
}

}  // namespace

std::string lookupValue(Window& window, const LineArray& lines, std::string_view name,
                        std::string_view typeWord)
{
    for (const std::string_view line : lines) {
        window.yield();
        const auto firstColon = line.find(':');
        if (firstColon == std::string_view::npos)
            continue;
        if (!qualifies(line.substr(0, firstColon), name, typeWord))
            continue;
        const auto secondColon = line.find(':', firstColon + 1);
        const auto valueLength =
            secondColon == std::string_view::npos ? secondColon : secondColon - firstColon - 1;
        return cleanValue(line.substr(firstColon + 1, valueLength));
    }
    return {};
}

VcfLookup::VcfLookup(Window& window, const std::string& path) : m_window(window)
{
    // Reported under the name of the per-lookup read it replaces, as support knows it.
    ErrorTrap trap(window, "modCSV", "GetVCFValue");
    trap.step(1, [&] { m_lines = ReadFileLines(path); });
}

std::string VcfLookup::value(std::string_view name, std::string_view typeWord) const
{
    return lookupValue(m_window, m_lines, name, typeWord);
}

}  // namespace brimwell
