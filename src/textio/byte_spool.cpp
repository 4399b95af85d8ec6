#include "textio/record_spool.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace brimwell {

namespace {

/// Records are gathered in memory up to about this many bytes; past it they go to the
/// file, and are read back in blocks of this size.
constexpr std::size_t kBlockSize = std::size_t{1} << 18;

/// Each record is stored as its length, in the machine's own byte order, then its bytes.
using RecordLength = std::uint64_t;

/// Hands on the whole records at the start of `bytes`, at most `left` of them; returns
/// how many bytes they took and lowers `left` by their number. `wanted` is set to how many
/// bytes the next record needs in all (0 when that is not known yet).
std::size_t handOnWhole(std::string_view bytes, std::size_t& left, std::size_t& wanted,
                        const std::function<void(std::string_view)>& onRecord)
{
    std::size_t used = 0;
    wanted = 0;
    while (left > 0 && bytes.size() - used >= sizeof(RecordLength)) {
        RecordLength length = 0;
        std::memcpy(&length, bytes.data() + used, sizeof length);
        if (bytes.size() - used - sizeof length < length) {
            wanted = sizeof length + length;
            break;
        }
        onRecord(bytes.substr(used + sizeof length, length));
        used += sizeof length + length;
        --left;
    }
    return used;
}

}  // namespace

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
    if (m_failed || m_block.empty())
        return !m_failed;
    // The file is made only when the records outgrow the block: most spools never need it.
    if (!m_file)
        m_file.reset(std::tmpfile());
    m_failed = !m_file || std::fwrite(m_block.data(), 1, m_block.size(), m_file.get()) != m_block.size();
    m_block.clear();
    return !m_failed;
}

bool RecordSpool::replay(const std::function<void(std::string_view)>& onRecord)
{
    std::size_t left = m_count;
    std::size_t wanted = 0;
    if (!m_failed && !m_file) {
        handOnWhole(m_block, left, wanted, onRecord);
        return true;
    }
    if (!flush() || std::fflush(m_file.get()) != 0 || std::fseek(m_file.get(), 0, SEEK_SET) != 0) {
        m_failed = true;
        return false;
    }
    std::string bytes;
    while (left > 0) {
        const std::size_t held = bytes.size();
        const std::size_t more = std::max(kBlockSize, wanted > held ? wanted - held : 0);
        bytes.resize(held + more);
        const std::size_t read = std::fread(bytes.data() + held, 1, more, m_file.get());
        bytes.resize(held + read);
        if (read == 0) {
            m_failed = true;  // the file ended before its last record
            return false;
        }
        bytes.erase(0, handOnWhole(bytes, left, wanted, onRecord));
    }
    return true;
}

}  // namespace brimwell
