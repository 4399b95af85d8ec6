#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>

// Character sets of vCard text: the fast check for UTF-8, and the named code pages of 2.1
// CHARSET parameters and of 8-bit text without one, decoded through ICU.

struct UConverter;

namespace brimwell::vcard {

/// True when `bytes` is well-formed UTF-8 (no overlongs, surrogates or values past U+10FFFF).
bool isValidUtf8(std::string_view bytes);

/// True for the CHARSET names whose valid text is UTF-8 as it is (UTF-8, US-ASCII).
bool namesUtf8(std::string_view charset);

/// Decodes bytes of named code pages to UTF-8, keeping one converter per name.
class CharsetDecoder {
public:
    /// `fallback` decodes 8-bit text without a CHARSET and text of an unknown CHARSET.
    explicit CharsetDecoder(std::string fallback = "windows-1252");
    ~CharsetDecoder();
    CharsetDecoder(const CharsetDecoder&) = delete;
    CharsetDecoder& operator=(const CharsetDecoder&) = delete;

    /// Appends `bytes` in `charset` to `out` as UTF-8; a byte the code page cannot decode
    /// becomes U+FFFD (also a byte of a CHARSET=UTF-8 value that is not UTF-8). An empty
    /// `charset` means UTF-8 where valid, else the fallback.
    /// Returns false when `charset` is not known: `bytes` are then decoded as the fallback.
    bool decode(std::string_view bytes, std::string_view charset, std::string& out);

    /// Appends `bytes` as they are when they are valid UTF-8, else decoded as the fallback.
    void appendUtf8(std::string_view bytes, std::string& out);

private:
    UConverter* converter(std::string_view charset);
    void convert(UConverter* from, std::string_view bytes, std::string& out);

    struct Close {
        void operator()(UConverter* converter) const;
    };
    using Converter = std::unique_ptr<UConverter, Close>;

    std::string m_fallbackName;
    UConverter* m_fallback = nullptr;
    std::map<std::string, Converter, std::less<>> m_converters;
    std::u16string m_pivot;
};

/// Turns a stream of UTF-16 or UTF-32 bytes (block by block, a character may be cut between
/// two blocks) into UTF-8; unpaired surrogates and an odd last byte become U+FFFD.
class Utf8Transcoder {
public:
    /// `encoding` is an ICU name: UTF-16LE, UTF-16BE, UTF-32LE, UTF-32BE.
    explicit Utf8Transcoder(const char* encoding);
    ~Utf8Transcoder();
    Utf8Transcoder(const Utf8Transcoder&) = delete;
    Utf8Transcoder& operator=(const Utf8Transcoder&) = delete;

    /// Appends the UTF-8 of `bytes` to `out`; `last` flushes what an earlier block left.
    void transcode(std::string_view bytes, bool last, std::string& out);

private:
    UConverter* m_from = nullptr;
    UConverter* m_to = nullptr;
    char16_t m_pivot[1024];
    char16_t* m_pivotSource = m_pivot;
    char16_t* m_pivotTarget = m_pivot;
};

}  // namespace brimwell::vcard
