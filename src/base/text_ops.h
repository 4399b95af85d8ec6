#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// Small string operations of the vCard rules. Letter case is ASCII only: no other byte
// of Windows-1252 text can change the outcome of a property test.
namespace brimwell::text {

inline char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

/// Spaces (and only spaces) removed at both ends.
inline std::string_view trimSpaces(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

/// a == b, ASCII letters in either case.
inline bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return upperAscii(x) == upperAscii(y);
           });
}

/// True when `text` holds `word` somewhere, ASCII letters in either case.
inline bool containsIgnoringCase(std::string_view text, std::string_view word)
{
    for (std::size_t start = 0; start + word.size() <= text.size(); ++start)
        if (equalsIgnoringCase(text.substr(start, word.size()), word))
            return true;
    return false;
}

/// Replaces every occurrence of `from`, scanning left to right without rescanning output.
inline void replaceAll(std::string& s, std::string_view from, std::string_view to)
{
    if (s.find(from) == std::string::npos)
        return;
    std::string result;
    result.reserve(s.size());
    std::size_t start = 0;
    for (auto found = s.find(from); found != std::string::npos; found = s.find(from, start)) {
        result.append(s, start, found - start).append(to);
        start = found + from.size();
    }
    result.append(s, start);
    s.swap(result);
}

}  // namespace brimwell::text
