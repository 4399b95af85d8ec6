#include "conversion/property_lookup.h"

#include <utility>

#include "base/error_trap.h"
#include "base/window.h"

namespace brimwell {

namespace {

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string_view trimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

/// True when `text` turned to capitals equals `capitals` (which is compared unchanged).
bool upperEquals(std::string_view text, std::string_view capitals)
{
    if (text.size() != capitals.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (asciiUpper(text[i]) != capitals[i])
            return false;
    return true;
}

bool containsIgnoringCase(std::string_view text, std::string_view word)
{
    for (std::size_t start = 0; start + word.size() <= text.size(); ++start) {
        std::size_t i = 0;
        while (i < word.size() && asciiUpper(text[start + i]) == asciiUpper(word[i]))
            ++i;
        if (i == word.size())
            return true;
    }
    return false;
}

/// Replaces every occurrence of `from` in one left-to-right pass; the result is not
/// searched again, so removing "=0A" from "=0=0AA" leaves "=0A".
void replaceAll(std::string& text, std::string_view from, std::string_view to)
{
    std::string result;
    std::size_t done = 0;
    for (auto found = text.find(from); found != std::string::npos;
         found = text.find(from, done)) {
        result.append(text, done, found - done).append(to);
        done = found + from.size();
    }
    if (done == 0)
        return;
    result.append(text, done);
    text = std::move(result);
}

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
    if (upperEquals(trimmedHead, name))
        return true;
    const std::string_view propertyName = trimSpaces(trimmedHead.substr(0, trimmedHead.find(';')));
    if (!upperEquals(propertyName, name))
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

std::string GetVCFValue(Window& window, const std::string& path, const std::string& name,
                        const std::string& typeWord)
{
    return VcfLookup(window, path).value(name, typeWord);
}

VcfLookup::VcfLookup(Window& window, const std::string& path) : m_window(window)
{
    ErrorTrap trap(window, "modCSV", "GetVCFValue");
    trap.step(1, [&] { m_lines = ReadFileLines(path); });
}

std::string VcfLookup::value(std::string_view name, std::string_view typeWord) const
{
    return lookupValue(m_window, m_lines, name, typeWord);
}

}  // namespace brimwell
