#include "textio/file_io.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

namespace brimwell::detail {

namespace {

/// Reads the rest of `file` into `bytes`, reusing its storage; `sizeHint`, the expected
/// length, only sizes the buffer.
int readRest(std::FILE* file, std::size_t sizeHint, std::string& bytes)
{
    constexpr std::size_t kMinimumBlock = 64 * 1024;
    // One byte more than expected, so that the end shows without growing the buffer.
    bytes.resize(sizeHint + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(std::max(bytes.size() * 2, kMinimumBlock));
        errno = 0;
        used += std::fread(bytes.data() + used, 1, bytes.size() - used, file);
        if (std::ferror(file))
            return lastError();
        if (std::feof(file))
            break;
    }
    bytes.resize(used);
    return 0;
}

}  // namespace

int lastError()
{
    return errno != 0 ? errno : EIO;
}

int readWholeFile(const std::string& path, std::string& bytes, bool& opened)
{
    std::string buffer;
    const int error = readWholeFileInPlace(path, buffer, opened);
    if (error == 0)
        bytes = std::move(buffer);
    return error;
}

int readWholeFileInPlace(const std::string& path, std::string& bytes, bool& opened)
{
    errno = 0;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    opened = file != nullptr;
    if (!opened)
        return lastError();
    std::error_code sizeUnknown;
    const auto size = std::filesystem::file_size(path, sizeUnknown);
    return readRest(file.get(), sizeUnknown ? 0 : static_cast<std::size_t>(size), bytes);
}

}  // namespace brimwell::detail
