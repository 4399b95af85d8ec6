#include "textio/byte_spool.h"

#include <algorithm>

namespace brimwell {

void ByteSpool::append(std::string_view bytes)
{
    if (m_failed)
        return;
    m_size += bytes.size();
    if (m_block.size() + bytes.size() < kBlockSize) {
        m_block.append(bytes);
        return;
    }
    flush(bytes);
}

bool ByteSpool::flush(std::string_view more)
{
    if (m_failed || (m_block.empty() && more.empty()))
        return !m_failed;
    // The file is made only when the bytes outgrow the block: most spools never need it.
    if (!m_file)
        m_file.reset(std::tmpfile());
    const auto write = [this](std::string_view bytes) {
        return bytes.empty() ||
               std::fwrite(bytes.data(), 1, bytes.size(), m_file.get()) == bytes.size();
    };
    m_failed = !m_file || !write(m_block) || !write(more);
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
    // The block's storage serves to read the file back in.
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
