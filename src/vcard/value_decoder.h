#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "vcard/byte_scan.h"

// The layers of a value: quoted-printable and base64 transfer encodings, then (after the
// character set) the text escapes and the split of structured and list values.

namespace brimwell::vcard {

/// Appends the bytes `=XX` and the plain bytes of `text` stand for; a `=` at the very end is
/// a soft break. Returns false when an `=` is followed by no hex pair: it is kept as written.
bool decodeQuotedPrintable(std::string_view text, std::string& out);

/// False when `text` cannot be base64 data: spaces, tabs and `=` left out, its length is a
/// multiple of four plus one (no letter of the 64 is checked: the data is never decoded).
bool isValidBase64(std::string_view text);

namespace detail {

/// Where the first backslash, CR or `separator` (`\0` for none) at or after `from` is.
inline std::size_t findSpecial(std::string_view text, std::size_t from, char separator)
{
    switch (separator) {
    case ';':
        return findFirstOf<'\\', '\r', ';'>(text, from);
    case ',':
        return findFirstOf<'\\', '\r', ','>(text, from);
    default:
        return findFirstOf<'\\', '\r'>(text, from);
    }
}

/// appendUnescapedPart() for a part whose first backslash or CR is at `special`.
std::size_t appendUnescapedFrom(std::string_view text, std::size_t from, std::size_t special,
                                char separator, std::string* out);

}  // namespace detail

/// Appends the part of `text` that starts at `from` and ends before the first `separator`
/// (`,` or `;`, or `\0` for none) not escaped by a backslash, unescaped as appendUnescaped()
/// does, to `out` unless it is null; returns where that separator is, or text.size().
/// Most parts hold no escape and are copied here, without a call.
inline std::size_t appendUnescapedPart(std::string_view text, std::size_t from, char separator,
                                       std::string* out)
{
    const std::size_t special = detail::findSpecial(text, from, separator);
    if (special < text.size() && text[special] != separator)
        return detail::appendUnescapedFrom(text, from, special, separator, out);
    if (out != nullptr)
        out->append(text.data() + from, special - from);
    return special;
}

/// Appends `text` with the escapes `\n` `\N` (a line break) and `\,` `\;` `\\` `\:` (the
/// character) resolved; any other backslash stays. CR LF and a lone CR become one LF.
inline void appendUnescaped(std::string_view text, std::string& out)
{
    appendUnescapedPart(text, 0, '\0', &out);
}

inline void assignUnescaped(std::string& out, std::string_view text)
{
    out.clear();
    appendUnescaped(text, out);
}

/// Cuts `text` at every `separator` (`,` or `;`) not escaped by a backslash and appends each
/// part, unescaped, to the string `target(n)` gives for the n-th part (from 0); a part whose
/// target is null is left out.
///
///     appendUnescapedParts("Lee;Ann\\;Marie", ';', [&](std::size_t n) { return fields[n]; });
template <class Target>
void appendUnescapedParts(std::string_view text, char separator, Target target)
{
    std::size_t part = 0;
    std::size_t end = appendUnescapedPart(text, 0, separator, target(part));
    while (end < text.size())
        end = appendUnescapedPart(text, end + 1, separator, target(++part));
}

/// Appends `text` with its `%XX` escapes decoded (a `%` without two hex digits stays).
void appendPercentDecoded(std::string_view text, std::string& out);

/// Appends a parameter value with the caret escapes `^n` `^^` `^'` resolved, then unescaped.
void appendParameterText(std::string_view text, std::string& out);

}  // namespace brimwell::vcard
