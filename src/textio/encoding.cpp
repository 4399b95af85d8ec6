#include "textio/encoding.h"

#include <algorithm>
#include <array>
#include <utility>

namespace brimwell {

using namespace std::string_view_literals;

namespace {

constexpr char kSubstitute = '?';

/// The characters of Windows-1252 bytes 0x80-0x9F. The five bytes the code page leaves
/// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same
/// number, so that they pass through a decode and encode unchanged.
constexpr std::array<char16_t, 32> kHighCharacters = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

using ReverseEntry = std::pair<char16_t, unsigned char>;

/// kHighCharacters turned round: (character, byte), sorted by character for a binary search.
constexpr std::array<ReverseEntry, 32> makeReverseTable()
{
    std::array<ReverseEntry, 32> table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = {kHighCharacters[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(table.begin(), table.end());
    return table;
}

constexpr std::array<ReverseEntry, 32> kReverseTable = makeReverseTable();

/// The Windows-1252 byte of one character, '?' when the code page lacks it.
char ansiFromCodePoint(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    auto found = std::lower_bound(
        kReverseTable.begin(), kReverseTable.end(), codePoint,
        [](const ReverseEntry& entry, char32_t wanted) { return entry.first < wanted; });
    if (found != kReverseTable.end() && found->first == codePoint)
        return static_cast<char>(found->second);
    return kSubstitute;
}

/// How a UTF-8 sequence that starts with `lead` goes on: the number of continuation bytes
/// and the range the first of them must lie in (the later ones are always 80-BF). A byte
/// that cannot start a sequence has no continuation and an empty range.
struct LeadByte {
    int continuations;
    int low;
    int high;
    char32_t bits;
};

LeadByte describeLead(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return {1, 0x80, 0xBF, lead & 0x1Fu};
    if (lead >= 0xE0 && lead <= 0xEF)
        return {2, lead == 0xE0 ? 0xA0 : 0x80, lead == 0xED ? 0x9F : 0xBF, lead & 0x0Fu};
    if (lead >= 0xF0 && lead <= 0xF4)
        return {3, lead == 0xF0 ? 0x90 : 0x80, lead == 0xF4 ? 0x8F : 0xBF, lead & 0x07u};
    return {0, 1, 0, 0};  // an empty range
}

}  // namespace

Utf8Char decodeUtf8Char(std::string_view text, std::size_t index)
{
    const auto lead = static_cast<unsigned char>(text[index]);
    if (lead < 0x80)
        return {lead, 1, true};
    const LeadByte sequence = describeLead(lead);
    Utf8Char decoded{sequence.bits, 1, sequence.continuations > 0};
    int low = sequence.low;
    int high = sequence.high;
    for (int k = 0; k < sequence.continuations; ++k) {
        const std::size_t at = index + decoded.length;
        // Past the end reads as 0, which is below every range.
        const auto next = static_cast<unsigned char>(at < text.size() ? text[at] : 0);
        if (next < low || next > high) {
            decoded.valid = false;  // the bytes taken so far are one maximal invalid subpart
            break;
        }
        decoded.codePoint = (decoded.codePoint << 6) | (next & 0x3Fu);
        ++decoded.length;
        low = 0x80;
        high = 0xBF;
    }
    return decoded;
}

TextEncoding detectEncoding(std::string_view firstBytes, std::size_t fileSize)
{
    struct Mark {
        std::string_view bytes;
        TextEncoding encoding;
    };
    static constexpr std::array<Mark, 5> kMarks = {{
        {"\xFF\xFE\0\0"sv, TextEncoding::Utf16},
        {"\0\0\xFE\xFF"sv, TextEncoding::Utf16},
        {"\xEF\xBB\xBF"sv, TextEncoding::Utf8},
        {"\xFF\xFE"sv, TextEncoding::Utf16},
        {"\xFE\xFF"sv, TextEncoding::Utf16},
    }};
    for (const Mark& mark : kMarks) {
        if (fileSize >= mark.bytes.size() && firstBytes.starts_with(mark.bytes))
            return mark.encoding;
    }
    return TextEncoding::Ansi;
}

std::string utf8ToAnsi(std::string_view utf8)
{
    // Never more characters than bytes: write into a buffer of that size, then cut it.
    std::string result(utf8.size(), '\0');
    char* out = result.data();
    const std::size_t size = utf8.size();
    std::size_t i = 0;
    while (i < size) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            *out++ = static_cast<char>(lead);
            ++i;
            continue;
        }
        const Utf8Char next = decodeUtf8Char(utf8, i);
        *out++ = next.valid ? ansiFromCodePoint(next.codePoint) : kSubstitute;
        i += next.length;
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
    return result;
}

std::string utf16LeToAnsi(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE"sv))
        bytes.remove_prefix(2);
    const std::size_t units = bytes.size() / 2;  // an odd last byte is dropped
    auto unitAt = [&bytes](std::size_t index) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * index]) |
                                     static_cast<unsigned char>(bytes[2 * index + 1]) << 8);
    };
    std::string result(units, '\0');
    char* out = result.data();
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t unit = unitAt(i);
        const bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
        if (highSurrogate && i + 1 < units && unitAt(i + 1) >= 0xDC00 && unitAt(i + 1) <= 0xDFFF)
            ++i;                           // a pair: one character outside the code page
        *out++ = ansiFromCodePoint(unit);  // a surrogate, paired or not, gives '?'
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
    return result;
}

std::string decodeToAnsi(std::string_view fileBytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf16:
        return utf16LeToAnsi(fileBytes);
    case TextEncoding::Utf8:
        if (fileBytes.starts_with("\xEF\xBB\xBF"sv))
            fileBytes.remove_prefix(3);
        return utf8ToAnsi(fileBytes);
    case TextEncoding::Ansi:
        break;
    }
    return std::string(fileBytes);
}

}  // namespace brimwell
