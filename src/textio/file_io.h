#pragma once

#include <cstdio>
#include <memory>
#include <string>

// Helpers shared by the reader and the writer of this folder; not for other folders.
namespace brimwell::detail {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
/// A stdio file that is closed when it goes.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

/// errno, or EIO when a failed call left it at 0, so that a failure is never reported as 0.
int lastError();

/// Opens `path` and reads it whole into `bytes` in one pass; `opened` tells an open failure
/// from a read failure. 0, or the errno of the failure (a folder fails to read: EISDIR).
/// `bytes` is left as it was on failure.
int readWholeFile(const std::string& path, std::string& bytes, bool& opened);

/// readWholeFile reading straight into `bytes` and reusing its storage, so that reading
/// files no longer than one read before costs no new memory; `bytes` holds no meaning
/// after a failure.
int readWholeFileInPlace(const std::string& path, std::string& bytes, bool& opened);

}  // namespace brimwell::detail
