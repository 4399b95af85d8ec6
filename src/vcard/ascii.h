#pragma once

#include <string>
#include <string_view>

// ASCII letter case for the names and keywords of vCard syntax, which are ASCII only.

namespace brimwell::vcard {

namespace detail {

/// Each byte in upper case: one load per character in the hot loops of the reader.
inline constexpr auto kUpperAscii = [] {
    struct Table {
        char bytes[256];
    } table{};
    for (int i = 0; i < 256; ++i)
        table.bytes[i] = static_cast<char>(i >= 'a' && i <= 'z' ? i - 'a' + 'A' : i);
    return table;
}();

}  // namespace detail

constexpr char toUpperAscii(char c)
{
    return detail::kUpperAscii.bytes[static_cast<unsigned char>(c)];
}

constexpr char toLowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (toUpperAscii(a[i]) != toUpperAscii(b[i]))
            return false;
    return true;
}

constexpr bool startsWithIgnoreCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

inline void assignLower(std::string& out, std::string_view text)
{
    out.assign(text);
    for (char& c : out)
        c = toLowerAscii(c);
}

constexpr bool isSpaceOrTab(char c)
{
    // One comparison for the letters, digits and marks that almost every byte is.
    return static_cast<unsigned char>(c) <= ' ' && (c == ' ' || c == '\t');
}

constexpr std::string_view trimSpaces(std::string_view text)
{
    while (!text.empty() && isSpaceOrTab(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpaceOrTab(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace brimwell::vcard
