#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "textio/encoding.h"
#include "textio/file_io.h"

namespace brimwell {

/// Where the lines of a text end.
enum class LineEnds {
    Any,   ///< LF, CR LF and a lone CR
    CrLf,  ///< CR LF only, as the UTF-8-with-mark reader splits
    Lf,    ///< LF only: a line keeps a CR before its LF, as in a contact cut at line feeds
};

/// The line splitter: calls line(offset, length) for each line of `text`, terminator left
/// out, in order. A text without any character is one empty line. At CR LF only, a final
/// CR LF leaves an empty last line; at the other ends a terminator at the very end adds
/// no empty line.
template <class Line>
void splitLines(std::string_view text, LineEnds ends, Line line)
{
    const std::size_t size = text.size();
    std::size_t start = 0;
    if (ends == LineEnds::CrLf) {
        for (std::size_t found; (found = text.find("\r\n", start)) != std::string_view::npos;
             start = found + 2)
            line(start, found - start);
        line(start, size - start);
        return;
    }
    if (ends == LineEnds::Lf) {
        // A search for the one terminator, which the library does many bytes at a time.
        for (std::size_t found; (found = text.find('\n', start)) != std::string_view::npos;
             start = found + 1)
            line(start, found - start);
        if (start < size || size == 0)
            line(start, size - start);
        return;
    }
    bool any = false;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text[i];
        if (c != '\n' && c != '\r')
            continue;
        line(start, i - start);
        any = true;
        if (c == '\r' && i + 1 < size && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size || !any)
        line(start, size - start);
}

/// A text as the reader gives it: decoded to Windows-1252 by the byte-order mark it starts
/// with, and the encoding that mark named (which decides where its lines end).
struct DecodedText {
    std::string text;
    TextEncoding encoding = TextEncoding::Ansi;
};

/// The lines of a text without their terminators. Never empty: a text without any
/// character is one empty line. The lines are views into the text the array owns.
class LineArray {
public:
    LineArray() = default;
    /// Splits decoded text the way the reader for `encoding` does: UTF-8-with-mark text
    /// at CR LF only (a final CR LF leaves a last empty line); other text at LF, CR LF and
    /// a lone CR (a terminator at the very end adds no empty line).
    LineArray(std::string text, TextEncoding encoding);
    explicit LineArray(DecodedText decoded) : LineArray(std::move(decoded.text), decoded.encoding)
    {}

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
    const_iterator& operator++()
    {
        ++m_index;
        return *this;
    }
    const_iterator operator++(int)
    {
        auto old = *this;
        ++m_index;
        return old;
    }
    bool operator==(const const_iterator& other) const { return m_index == other.m_index; }

private:
    const LineArray* m_lines = nullptr;
    std::size_t m_index = 0;
};

inline LineArray::const_iterator LineArray::begin() const
{
    return {this, 0};
}
inline LineArray::const_iterator LineArray::end() const
{
    return {this, m_spans.size()};
}

/// The reader: every whole-text read of this file is one of these two, so every caller
/// decodes alike; TextStream gives the same text a piece at a time.
///
/// A file's text. Throws FileError ("cannot open file PATH: REASON", or "cannot read
/// file ...") when the file cannot be opened or read. The text of `into` is reused: a
/// converter that reads file after file allocates (and the system maps) memory only for a
/// file longer than any before; after a failure it holds no meaning.
void readText(const std::string& path, DecodedText& into);
/// The text of bytes already in memory, as readText gives it for a file holding them.
/// Bytes without a mark are taken over as they are, so a large 8-bit text is never copied.
DecodedText decodeText(std::string fileBytes);

/// The raw bytes of a file. Throws FileError as readText does.
std::string readFileBytes(const std::string& path);

/// True when the file starts with a 16- or 32-bit byte-order mark. Throws FileError.
bool DetectUnicodeBom(const std::string& path);

/// A file's lines, decoded to Windows-1252 (see LineArray for where lines end).
/// Throws FileError for a file that cannot be read.
LineArray ReadFileLines(const std::string& path);

/// A file's whole decoded text, terminators untouched, in chunks of 65,536 characters
/// (one empty chunk for an empty text; a file with the UTF-8 mark is one chunk).
/// Throws FileError.
std::vector<std::string> ReadFileText(const std::string& path);

/// readText's text alone: the chunks of ReadFileText joined in order. The second form
/// reuses the storage of `text` as readText does.
std::string readWholeText(const std::string& path);
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

/// Bytes already in memory: decodeText's text, and its lines.
std::string decodeFileBytes(std::string_view fileBytes);
LineArray linesFromFileBytes(std::string_view fileBytes);

}  // namespace brimwell
