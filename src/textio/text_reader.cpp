#include "textio/text_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "textio/file_error.h"
#include "textio/file_io.h"

namespace brimwell {

namespace {

constexpr std::size_t kChunkSize = 65536;
constexpr std::size_t kLongestMark = 4;

void throwIfFailed(int error, bool opened, const std::string& path)
{
    if (error != 0)
        throw FileError(opened ? "cannot read file" : "cannot open file", path,
                        std::strerror(error));
}

}  // namespace

LineArray::LineArray(std::string text, TextEncoding encoding) : m_text(std::move(text))
{
    splitLines(
        m_text, encoding == TextEncoding::Utf8 ? LineEnds::CrLf : LineEnds::Any,
        [this](std::size_t begin, std::size_t length) { m_spans.emplace_back(begin, length); });
}

void readText(const std::string& path, DecodedText& into)
{
    bool opened = false;
    const int error = detail::readWholeFileInPlace(path, into.text, opened);
    throwIfFailed(error, opened, path);
    into.encoding = detectEncoding(into.text, into.text.size());
    if (into.encoding != TextEncoding::Ansi)
        into.text = decodeToAnsi(into.text, into.encoding);
}

DecodedText decodeText(std::string fileBytes)
{
    const TextEncoding encoding = detectEncoding(fileBytes, fileBytes.size());
    if (encoding == TextEncoding::Ansi)
        return {std::move(fileBytes), encoding};
    return {decodeToAnsi(fileBytes, encoding), encoding};
}

std::string readFileBytes(const std::string& path)
{
    std::string bytes;
    bool opened = false;
    const int error = detail::readWholeFile(path, bytes, opened);
    throwIfFailed(error, opened, path);
    return bytes;
}

bool DetectUnicodeBom(const std::string& path)
{
    errno = 0;
    detail::FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw FileError("cannot open file", path, std::strerror(detail::lastError()));
    // Only the first four bytes matter: each mark's length test is one of 2, 3 or 4.
    char firstBytes[kLongestMark];
    const std::size_t read = std::fread(firstBytes, 1, kLongestMark, file.get());
    if (std::ferror(file.get()))
        throw FileError("cannot read file", path, std::strerror(detail::lastError()));
    return detectEncoding(std::string_view(firstBytes, read), read) == TextEncoding::Utf16;
}

LineArray ReadFileLines(const std::string& path)
{
    DecodedText decoded;
    readText(path, decoded);
    return LineArray(std::move(decoded));
}

std::vector<std::string> ReadFileText(const std::string& path)
{
    DecodedText decoded;
    readText(path, decoded);
    std::string& text = decoded.text;
    // The UTF-8 reader hands its whole text over as one piece; the others read in blocks.
    if (decoded.encoding == TextEncoding::Utf8 || text.size() <= kChunkSize)
        return {std::move(text)};
    std::vector<std::string> chunks;
    chunks.reserve((text.size() + kChunkSize - 1) / kChunkSize);
    for (std::size_t start = 0; start < text.size(); start += kChunkSize)
        chunks.push_back(text.substr(start, kChunkSize));
    return chunks;
}

std::string readWholeText(const std::string& path)
{
    DecodedText decoded;
    readText(path, decoded);
    return std::move(decoded.text);
}

void readWholeText(const std::string& path, std::string& text)
{
    DecodedText decoded{std::move(text)};
    readText(path, decoded);
    text = std::move(decoded.text);
}

std::string decodeFileBytes(std::string_view fileBytes)
{
    return decodeText(std::string(fileBytes)).text;
}

LineArray linesFromFileBytes(std::string_view fileBytes)
{
    return LineArray(decodeText(std::string(fileBytes)));
}

TextStream::TextStream(const std::string& path, std::size_t blockSize)
    : m_path(path), m_blockSize(blockSize)
{
    errno = 0;
    m_file.reset(std::fopen(path.c_str(), "rb"));
    if (!m_file)
        throw FileError("cannot open file", path, std::strerror(detail::lastError()));
    // A first block shorter than the longest mark is the whole file, so the marks are
    // judged as on the whole text.
    std::size_t length = readBlock(m_first, 0, std::max(m_blockSize, kLongestMark));
    m_first.resize(length);
    const TextEncoding encoding = detectEncoding(m_first, m_first.size());
    if (encoding == TextEncoding::Ansi)
        return;
    while (const std::size_t more = readBlock(m_first, length, m_blockSize))
        length += more;
    m_first.resize(length);
    m_first = decodeToAnsi(m_first, encoding);
}

std::size_t TextStream::readNext(std::string& buffer, std::size_t used)
{
    if (!m_firstTaken) {
        m_firstTaken = true;
        if (!m_first.empty()) {
            const std::size_t length = m_first.size();
            if (buffer.size() < used + length)
                buffer.resize(used + length);
            std::copy(m_first.begin(), m_first.end(),
                      buffer.begin() + static_cast<std::ptrdiff_t>(used));
            m_first = std::string();
            return length;
        }
    }
    return readBlock(buffer, used, m_blockSize);
}

std::size_t TextStream::readBlock(std::string& bytes, std::size_t used, std::size_t size)
{
    if (!m_file)
        return 0;
    if (bytes.size() < used + size)
        bytes.resize(used + size);
    errno = 0;
    const std::size_t read = std::fread(bytes.data() + used, 1, size, m_file.get());
    if (std::ferror(m_file.get()))
        throw FileError("cannot read file", m_path, std::strerror(detail::lastError()));
    if (read < size)
        m_file.reset();  // the end of the file: no further call reads
    return read;
}

}  // namespace brimwell
