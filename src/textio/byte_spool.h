#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "textio/file_io.h"

namespace brimwell {

/// Records (texts of any bytes) set aside in order and read back. Past a block's worth
/// they go to an anonymous temporary file rather than stay in memory: the system removes
/// the file when the spool goes, also when the program ends abruptly, and memory holds one
/// block at a time.
///
///     RecordSpool spool;
///     spool.append("first");
///     spool.append("second");
///     spool.replay([](std::string_view record) { /* "first", then "second" */ });
class RecordSpool {
public:
    /// True while every record so far is safely set aside; false once the temporary file
    /// could not be made or written.
    bool good() const { return !m_failed; }
    std::size_t count() const { return m_count; }

    void append(std::string_view record);
    /// Hands every record to `onRecord`, in order. False when the spool is not good or
    /// reading it back failed (then only the records before the failure were handed on).
    bool replay(const std::function<void(std::string_view)>& onRecord);

private:
    bool flush();

    detail::FileHandle m_file;
    std::string m_block;  ///< the records not in the file
    std::size_t m_count = 0;
    bool m_failed = false;
};

}  // namespace brimwell
