#pragma once

#include <string>
#include <string_view>
#include <vector>

// The layers of a value: quoted-printable and base64 transfer encodings, then (after the
// character set) the text escapes and the split of structured and list values.

namespace brimwell::vcard {

/// Appends the bytes `=XX` and the plain bytes of `text` stand for; a `=` at the very end is
/// a soft break. Returns false when an `=` is followed by no hex pair: it is kept as written.
bool decodeQuotedPrintable(std::string_view text, std::string& out);

/// False when `text` cannot be base64 data: spaces, tabs and `=` left out, its length is a
/// multiple of four plus one (no letter of the 64 is checked: the data is never decoded).
bool isValidBase64(std::string_view text);

/// Appends `text` with the escapes `\n` `\N` (a line break) and `\,` `\;` `\\` `\:` (the
/// character) resolved; any other backslash stays. CR LF and a lone CR become one LF.
void appendUnescaped(std::string_view text, std::string& out);

inline void assignUnescaped(std::string& out, std::string_view text)
{
    out.clear();
    appendUnescaped(text, out);
}

/// Cuts `text` at every `separator` not escaped by a backslash; the parts keep their escapes.
void splitUnescaped(std::string_view text, char separator, std::vector<std::string_view>& parts);

/// Appends `text` with its `%XX` escapes decoded (a `%` without two hex digits stays).
void appendPercentDecoded(std::string_view text, std::string& out);

/// Appends a parameter value with the caret escapes `^n` `^^` `^'` resolved, then unescaped.
void appendParameterText(std::string_view text, std::string& out);

}  // namespace brimwell::vcard
