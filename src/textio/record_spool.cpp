#include "textio/record_spool.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace brimwell {

namespace {

/// Records are gathered up to about this many bytes before they go to the file, and read
/// back in blocks of this size.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;

/// Each record is stored as its length, in the machine's own byte order, then its bytes.
using RecordLength = std::uint64_t;

}  // namespace

RecordSpool::RecordSpool() : m_file(std::tmpfile()), m_failed(m_file == nullptr) {}

void RecordSpool::append(std::string_view record)
{
    if (m_failed)
        return;
    const RecordLength length = record.size();
    m_block.append(reinterpret_cast<const char*>(&length), sizeof length).append(record);
    ++m_count;
    if (m_block.size() >= kBlockSize)
        flush();
}

bool RecordSpool::flush()
{
    if (!m_failed && !m_block.empty())
        m_failed = std::fwrite(m_block.data(), 1, m_block.size(), m_file.get()) != m_block.size();
    m_block.clear();
    return !m_failed;
}

bool RecordSpool::replay(const std::function<void(std::string_view)>& onRecord)
{
    if (!flush() || std::fflush(m_file.get()) != 0 || std::fseek(m_file.get(), 0, SEEK_SET) != 0) {
        m_failed = true;
        return false;
    }
    // `m_block` holds the bytes read and not yet handed on, from `begin`.
    std::size_t begin = 0;
    for (std::size_t handed = 0; handed < m_count;) {
        RecordLength length = 0;
        const std::size_t held = m_block.size() - begin;
        if (held >= sizeof length)
            std::memcpy(&length, m_block.data() + begin, sizeof length);
        if (held >= sizeof length && held - sizeof length >= length) {
            onRecord(std::string_view(m_block).substr(begin + sizeof length, length));
            begin += sizeof length + length;
            ++handed;
            continue;
        }
        // The next record is not whole in the block: keep its start and read on.
        m_block.erase(0, begin);
        begin = 0;
        const std::size_t used = m_block.size();
        const std::size_t wanted = std::max(kBlockSize, sizeof length + length - used);
        m_block.resize(used + wanted);
        const std::size_t read = std::fread(m_block.data() + used, 1, wanted, m_file.get());
        m_block.resize(used + read);
        if (read == 0) {
            m_failed = true;  // the file ended before its last record
            return false;
        }
    }
    m_block.clear();
    return true;
}

}  // namespace brimwell
