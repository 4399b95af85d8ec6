#include "vcard/card_boundary.h"

#include <algorithm>
#include <fstream>
#include <string>

namespace brimwell::vcard {
namespace {

/// How far past the middle a cut is looked for.
constexpr std::size_t kSearchWindow = 256 * 1024;
/// How far before the middle the window starts.
constexpr std::size_t kLookBack = 64;

constexpr std::string_view kBegin = "BEGIN:VCARD";
constexpr std::string_view kEnd = "END:VCARD";

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

/// True when the bytes before `before` are a line holding `END:VCARD` alone and one or
/// more line ends.
bool endsCardBefore(std::string_view text, std::size_t before)
{
    std::size_t lineEnd = before;
    while (lineEnd > 0 && isLineEnd(text[lineEnd - 1]))
        --lineEnd;
    if (lineEnd == before || lineEnd < kEnd.size() + 1)
        return false;
    const std::size_t start = lineEnd - kEnd.size();
    return text.substr(start, kEnd.size()) == kEnd && isLineEnd(text[start - 1]);
}

/// True when the file begins with a UTF-16 or UTF-32 byte-order mark.
bool hasWideMark(std::string_view start)
{
    return start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF") ||
           start.starts_with(std::string_view("\x00\x00\xFE\xFF", 4));
}

}  // namespace

std::size_t findCardBoundary(std::string_view text, std::size_t from)
{
    for (std::size_t at = text.find(kBegin, from); at != std::string_view::npos;
         at = text.find(kBegin, at + 1)) {
        const std::size_t after = at + kBegin.size();
        if (at > 0 && after < text.size() && isLineEnd(text[at - 1]) && isLineEnd(text[after]) &&
            endsCardBefore(text, at))
            return at;
    }
    return std::string_view::npos;
}

std::optional<std::uintmax_t> middleCardBoundary(const std::filesystem::path& path,
                                                 std::uintmax_t minimumSize)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size < minimumSize)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes(4, '\0');
    if (!in.read(bytes.data(), 4) || hasWideMark(bytes))
        return std::nullopt;
    // The window starts a little before the middle, so that the END:VCARD line before a
    // cut at the middle is in it too.
    const std::uintmax_t middle = size / 2;
    const std::uintmax_t start = middle - std::min<std::uintmax_t>(middle, kLookBack);
    bytes.resize(kSearchWindow);
    in.seekg(static_cast<std::streamoff>(start));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    const std::size_t at = findCardBoundary(bytes, static_cast<std::size_t>(middle - start));
    if (at == std::string::npos)
        return std::nullopt;
    return start + at;
}

}  // namespace brimwell::vcard
