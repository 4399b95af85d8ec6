#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct UConverter;

namespace brimwell::vcard::csv {

/// `utf-8-bom` (the default), `utf-8`, or any code page name that ICU knows (`windows-1252`,
/// `iso-8859-15`, `shift_jis`, ...), letter case ignored. Lets a caller refuse a bad name
/// before any file is written.
bool isKnownEncoding(std::string_view name);

/// The encodings to offer a user, most used first; every one of them is known.
std::vector<std::string> encodingNames();

/// Turns the UTF-8 text of the CSV writer into the bytes of the chosen encoding, a block
/// at a time. A character the code page lacks is written as `?` and counted, never
/// replaced by a look-alike in silence.
///
///     TextEncoder encoder("windows-1252");
///     std::string bytes;
///     encoder.encode("Zoë Ω", bytes);   // "Zo\xEB ?", unmappableCount() == 1
class TextEncoder {
public:
    /// Throws std::invalid_argument("unknown encoding: NAME") for a name that is not known.
    explicit TextEncoder(std::string_view name);
    TextEncoder(const TextEncoder&) = delete;
    TextEncoder& operator=(const TextEncoder&) = delete;
    ~TextEncoder();

    /// The bytes a file starts with: the UTF-8 byte-order mark for `utf-8-bom`, else none.
    std::string_view preamble() const;
    /// True when encode() would copy the text unchanged (the two UTF-8 choices).
    bool passesThrough() const { return m_target == nullptr; }

    /// Appends the bytes of `utf8` to `out`. `utf8` must end on a character boundary.
    void encode(std::string_view utf8, std::string& out);
    /// Appends what a stateful code page still owes at the end of the text (a shift back
    /// to ASCII, for example).
    void finish(std::string& out);

    std::size_t unmappableCount() const { return m_unmappable; }

private:
    void convert(std::string_view utf8, std::string& out, bool flush);

    bool m_bom = false;
    UConverter* m_source = nullptr;  ///< UTF-8, for code pages only
    UConverter* m_target = nullptr;  ///< the code page; null for UTF-8
    std::size_t m_unmappable = 0;
    bool m_started = false;
    char16_t m_pivot[1024];
    char16_t* m_pivotSource = m_pivot;
    char16_t* m_pivotTarget = m_pivot;
};

}  // namespace brimwell::vcard::csv
