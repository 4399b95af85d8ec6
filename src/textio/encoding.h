#pragma once

#include <string>
#include <string_view>

namespace brimwell {

/// What the first bytes of a file say about its encoding.
enum class TextEncoding {
    Ansi,   ///< no mark: one byte is one Windows-1252 character, taken as it is
    Utf16,  ///< one of the 16- or 32-bit marks: read as UTF-16 little-endian
    Utf8,   ///< the UTF-8 mark EF BB BF
};

/// Byte-order detection on a file's first bytes (all of them or at least the first four):
/// FF FE 00 00, 00 00 FE FF, EF BB BF, FF FE, FE FF, tested in that order, each only when
/// the file is long enough to hold it. fileSize is the whole file's length in bytes.
TextEncoding detectEncoding(std::string_view firstBytes, std::size_t fileSize);

/// One step of UTF-8 decoding: the character that starts at a byte, or the maximal
/// invalid subsequence there (the Unicode recommended practice), which is never empty.
struct Utf8Char {
    char32_t codePoint;  ///< meaningful when valid
    std::size_t length;  ///< bytes taken, at least 1
    bool valid;  ///< a well-formed sequence: no overlong form, surrogate or value past 10FFFF
};

/// Decodes the sequence that starts at text[index] (index < text.size()).
Utf8Char decodeUtf8Char(std::string_view text, std::size_t index);

/// UTF-8 text (mark already removed) to Windows-1252 bytes: '?' for every character the
/// code page lacks and for every maximal invalid subsequence.
std::string utf8ToAnsi(std::string_view utf8);

/// UTF-16 little-endian bytes to Windows-1252 bytes. A leading FF FE is skipped; a
/// character the code page lacks, a surrogate pair and an unpaired surrogate each become
/// one '?'; an odd last byte is dropped.
std::string utf16LeToAnsi(std::string_view bytes);

/// A whole file's bytes as Windows-1252 text, decoded by the encoding its mark names
/// (the mark is not part of the text).
std::string decodeToAnsi(std::string_view fileBytes, TextEncoding encoding);

}  // namespace brimwell
