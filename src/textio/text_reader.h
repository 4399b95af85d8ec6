#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "textio/encoding.h"
#include "textio/file_io.h"

namespace brimwell {

/// The lines of a text without their terminators. Never empty: a text without any
/// character is one empty line. The lines are views into the text the array owns.
class LineArray {
public:
    LineArray() = default;
    /// Splits decoded text the way the reader for `encoding` does: UTF-8-with-mark text
    /// at CR LF only (a final CR LF leaves a last empty line); other text at LF, CR LF and
    /// a lone CR (a terminator at the very end adds no empty line).
    LineArray(std::string text, TextEncoding encoding);

    std::size_t size() const { return m_spans.size(); }
    std::string_view operator[](std::size_t index) const
    {
        const auto& [begin, length] = m_spans[index];
        return std::string_view(m_text).substr(begin, length);
    }

    class const_iterator;
    const_iterator begin() const;
    const_iterator end() const;

private:
    std::string m_text;
    std::vector<std::pair<std::size_t, std::size_t>> m_spans;  // offset and length
};

class LineArray::const_iterator {
public:
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    const_iterator() = default;
    const_iterator(const LineArray* lines, std::size_t index) : m_lines(lines), m_index(index) {}
    std::string_view operator*() const { return (*m_lines)[m_index]; }
    const_iterator& operator++() { ++m_index; return *this; }
    const_iterator operator++(int) { auto old = *this; ++m_index; return old; }
    bool operator==(const const_iterator& other) const { return m_index == other.m_index; }

private:
    const LineArray* m_lines = nullptr;
    std::size_t m_index = 0;
};

inline LineArray::const_iterator LineArray::begin() const { return {this, 0}; }
inline LineArray::const_iterator LineArray::end() const { return {this, m_spans.size()}; }

/// The raw bytes of a file. Throws FileError ("cannot open file PATH: REASON") when the
/// file cannot be opened or read.
std::string readFileBytes(const std::string& path);

/// True when the file starts with a 16- or 32-bit byte-order mark; also records whether it
/// starts with the UTF-8 mark (the module's IsUTF8File flag). Throws FileError.
bool DetectUnicodeBom(const std::string& path);

/// A file's lines, decoded to Windows-1252 (see LineArray for where lines end).
/// Throws FileError for a file that cannot be read.
LineArray ReadFileLines(const std::string& path);

/// A file's whole decoded text, terminators untouched, in chunks of 65,536 characters
/// (one empty chunk for an empty text; a file with the UTF-8 mark is one chunk).
/// Throws FileError.
std::vector<std::string> ReadFileText(const std::string& path);

/// The chunks of ReadFileText joined in order: the file's whole decoded text.
std::string readWholeText(const std::string& path);
/// readWholeText into `text`, reusing its storage: a converter that reads file after file
/// allocates (and the system maps) memory only for a file longer than any before. After
/// a failure (a FileError) `text` holds no meaning.
void readWholeText(const std::string& path, std::string& text);

/// A file's decoded text, read piece by piece, for a reader that looks at each part of the
/// text once and need not hold all of it: joined, the pieces are readWholeText's text.
/// Text without a mark comes as the file's bytes, a block at a time; a marked text is
/// decoded whole and comes as one piece.
///
///     TextStream stream(path);
///     std::string buffer;
///     std::size_t used = 0;
///     while (const std::size_t piece = stream.readNext(buffer, used)) {
///         used += piece;  // look at buffer's first `used` characters, drop what is done with
///     }
class TextStream {
public:
    /// Large enough that reading costs few calls, small enough to stay in the processor's
    /// cache while it is looked at.
    static constexpr std::size_t kDefaultBlockSize = std::size_t{1} << 18;

    /// Opens `path` and reads its first block of `blockSize` bytes. Throws FileError as
    /// readWholeText does.
    explicit TextStream(const std::string& path, std::size_t blockSize = kDefaultBlockSize);

    /// Puts the next piece of the text into `buffer` at position `used` and returns its
    /// length; 0 at the end of the text. The buffer is enlarged when the piece does not fit
    /// (never shrunk), so a reused buffer is not written over with zeros first: what stands
    /// past the piece holds no meaning. Throws FileError when reading fails.
    std::size_t readNext(std::string& buffer, std::size_t used);

private:
    /// Reads up to `size` more of the file's bytes into `bytes` at `used`, enlarging it as
    /// readNext does; 0 at the end of the file.
    std::size_t readBlock(std::string& bytes, std::size_t used, std::size_t size);

    std::string m_path;
    std::size_t m_blockSize;
    detail::FileHandle m_file;
    std::string m_first;  ///< the first piece: read, and for a marked text decoded, on opening
    bool m_firstTaken = false;
};

/// Bytes already in memory: the decoded text and its lines, as the file readers give them.
std::string decodeFileBytes(std::string_view fileBytes);
LineArray linesFromFileBytes(std::string_view fileBytes);

}  // namespace brimwell
