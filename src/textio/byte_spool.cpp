#include "textio/byte_spool.h"

#include <algorithm>

namespace brimwell {

namespace {

/// Bytes are gathered in memory up to about this many; past it they go to the file, and
/// are read back in blocks of this size.
constexpr std::size_t kBlockSize = std::size_t{1} << 18;

}  // namespace

void ByteSpool::append(std::string_view bytes)
{
    if (m_failed)
        return;
    m_block.append(bytes);
    m_size += bytes.size();
    if (m_block.size() >= kBlockSize)
        flush();
}

bool ByteSpool::flush()
{
    if (m_failed || m_block.empty())
        return !m_failed;
    // The file is made only when the bytes outgrow the block: most spools never need it.
    if (!m_file)
        m_file.reset(std::tmpfile());
    m_failed =
        !m_file || std::fwrite(m_block.data(), 1, m_block.size(), m_file.get()) != m_block.size();
    m_block.clear();
    return !m_failed;
}

bool ByteSpool::replay(const std::function<void(std::string_view)>& onBytes)
{
    if (!m_failed && !m_file) {
        if (!m_block.empty())
            onBytes(m_block);
        return true;
    }
    if (!flush() || std::fflush(m_file.get()) != 0 || std::fseek(m_file.get(), 0, SEEK_SET) != 0) {
        m_failed = true;
        return false;
    }
    // The block's storage, grown by the appends, serves to read the file back in.
    m_block.resize(kBlockSize);
    for (std::size_t left = m_size; left > 0;) {
        const std::size_t read =
            std::fread(m_block.data(), 1, std::min(left, kBlockSize), m_file.get());
        if (read == 0) {
            m_failed = true;  // the file ended before the last byte
            break;
        }
        onBytes(std::string_view(m_block.data(), read));
        left -= read;
    }
    m_block.clear();
    // Later appends go after the bytes already in the file.
    m_failed = m_failed || std::fseek(m_file.get(), 0, SEEK_END) != 0;
    return !m_failed;
}

}  // namespace brimwell
