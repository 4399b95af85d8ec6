// Byte-order detection and both readers: the in-memory ones and the file ones must agree,
// and the lines must be the decoded text cut at its terminators.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "textio/text_reader.h"

using namespace brimwell;

namespace {

/// The decoded text put together again from its lines, for text whose lines end at CR LF.
std::string joinedAtCrLf(const LineArray& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

void checkLines(std::string_view bytes, const std::string& text, const LineArray& lines)
{
    fuzz::require(lines.size() >= 1, "a line array is never empty");
    const TextEncoding encoding = detectEncoding(bytes, bytes.size());
    if (encoding == TextEncoding::Utf8) {
        fuzz::require(joinedAtCrLf(lines) == text, "UTF-8 lines joined at CR LF give the text");
        return;
    }
    std::size_t characters = 0;
    for (std::string_view line : lines) {
        fuzz::require(line.find_first_of("\r\n") == std::string_view::npos,
                      "a line holds no terminator");
        characters += line.size();
    }
    fuzz::require(characters <= text.size(), "the lines hold no more than the text");
    if (encoding == TextEncoding::Ansi)
        fuzz::require(text == bytes, "text without a mark is taken byte for byte");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The readers look at no more than four bytes to find the mark.
    const TextEncoding encoding = detectEncoding(bytes, size);
    fuzz::require(detectEncoding(bytes.substr(0, 4), size) == encoding,
                  "four bytes decide the encoding");

    const std::string text = decodeFileBytes(bytes);
    fuzz::require(text.size() <= size, "decoding never makes the text longer");
    const LineArray lines = linesFromFileBytes(bytes);
    checkLines(bytes, text, lines);

    const std::string path = fuzz::scratchFile("reader.vcf");
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(size));
    fuzz::require(DetectUnicodeBom(path) == (encoding == TextEncoding::Utf16),
                  "DetectUnicodeBom agrees");
    std::string joined;
    for (const std::string& chunk : ReadFileText(path)) {
        fuzz::require(chunk.size() <= 65536 || encoding == TextEncoding::Utf8,
                      "chunks are at most 65,536");
        joined += chunk;
    }
    fuzz::require(joined == text, "ReadFileText gives the decoded text");
    const LineArray fileLines = ReadFileLines(path);
    fuzz::require(fileLines.size() == lines.size(), "ReadFileLines gives the same lines");
    for (std::size_t i = 0; i < lines.size(); ++i)
        fuzz::require(fileLines[i] == lines[i], "ReadFileLines gives the same lines");
    return 0;
}
