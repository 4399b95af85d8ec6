#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "textio/file_io.h"

namespace brimwell {

/// Bytes set aside in order and read back. Past a block's worth they go to an anonymous
/// temporary file rather than stay in memory: the system removes the file when the spool
/// goes, also when the program ends abruptly, and memory holds one block at a time.
///
///     ByteSpool spool;
///     spool.append("first\n");
///     spool.append("second\n");
///     spool.replay([](std::string_view bytes) { /* "first\nsecond\n", in one or more pieces */ });
class ByteSpool {
public:
    /// Bytes are gathered in memory up to about this many; past it they go to the file, and
    /// are read back in blocks of this size.
    static constexpr std::size_t kBlockSize = std::size_t{1} << 18;

    /// True while every byte so far is safely set aside; false once the temporary file
    /// could not be made or written.
    bool good() const { return !m_failed; }
    /// How many bytes were appended.
    std::size_t size() const { return m_size; }

    /// Sets `bytes` aside; a block or more of them at once goes to the file straight from
    /// where it is.
    void append(std::string_view bytes);
    /// Hands every byte to `onBytes`, in order, in pieces of at most a block (except for
    /// bytes that never left memory). False when the spool is not good or reading it back
    /// failed (then only the bytes before the failure were handed on).
    bool replay(const std::function<void(std::string_view)>& onBytes);

private:
    /// Writes the bytes gathered in memory, then `more`, to the file.
    bool flush(std::string_view more = {});

    detail::FileHandle m_file;
    std::string m_block;  ///< the bytes not in the file
    std::size_t m_size = 0;
    bool m_failed = false;
};

}  // namespace brimwell
