#include "textio/text_writer.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/window.h"
#include "textio/file_io.h"

namespace brimwell {

namespace {

/// Lines are gathered up to about this many bytes before they go to the file.
constexpr std::size_t kBlockSize = std::size_t{1} << 18;

}  // namespace

int TextFileIO(const std::string& path, std::string& text, int mode)
{
    if (mode == kReadWhole) {
        bool opened = false;
        return detail::readWholeFile(path, text, opened);
    }
    // One line through the same writer the converters keep open, so both give equal bytes.
    TargetFile target(path);
    target.writeLine(text, mode);
    target.close();
    return target.firstError();
}

void DeleteFileQuiet(Window& window, const std::string& path)
{
    window.yield();
    namespace fs = std::filesystem;
    std::error_code ignored;
    if (fs::is_directory(fs::symlink_status(path, ignored)))
        return;
    if (fs::remove(path, ignored))
        return;
    // A second try after making the file writable, as a forced delete would.
    fs::permissions(path, fs::perms::owner_write,
                    fs::perm_options::add | fs::perm_options::nofollow, ignored);
    fs::remove(path, ignored);
}

TargetFile* TargetFile::s_firstOpen = nullptr;

void EndProgramKeepingWrites(int status)
{
    for (TargetFile* target = TargetFile::s_firstOpen; target != nullptr;
         target = target->m_nextOpen) {
        target->m_window = nullptr;
        target->flush();
        std::fflush(target->m_file);
    }
    std::_Exit(status);
}

void TargetFile::link()
{
    m_nextOpen = s_firstOpen;
    if (s_firstOpen != nullptr)
        s_firstOpen->m_previousOpen = this;
    s_firstOpen = this;
}

void TargetFile::unlink()
{
    if (m_previousOpen != nullptr)
        m_previousOpen->m_nextOpen = m_nextOpen;
    else
        s_firstOpen = m_nextOpen;
    if (m_nextOpen != nullptr)
        m_nextOpen->m_previousOpen = m_previousOpen;
    m_previousOpen = m_nextOpen = nullptr;
}

int TargetFile::writeLine(std::string_view text, int mode)
{
    if (mode != kReplace && mode != kAppend)
        return 0;
    if (const int error = open(mode); error != 0)
        return error;
    m_buffer.append(text).append("\r\n");
    return m_buffer.size() >= kBlockSize ? flush() : 0;
}

int TargetFile::appendLines(std::string_view lines)
{
    if (const int error = open(kAppend); error != 0)
        return error;
    if (m_buffer.size() + lines.size() < kBlockSize) {
        m_buffer.append(lines);
        return 0;
    }
    // A block or more: what waits goes first, then the lines straight from where they are.
    if (const int error = flush(); error != 0)
        return error;
    return put(lines);
}

int TargetFile::open(int mode)
{
    if (m_openError != 0)
        return m_openError;
    if (mode == kReplace && m_file != nullptr) {
        // What was written so far is about to be emptied away: drop it, then reopen.
        m_buffer.clear();
        std::fclose(m_file);
        m_file = nullptr;
        unlink();
    }
    if (m_file != nullptr)
        return 0;
    errno = 0;
    m_file = std::fopen(m_path.c_str(), mode == kReplace ? "wb" : "ab");
    if (m_file == nullptr) {
        m_openError = detail::lastError();
        return fail(m_openError);
    }
    std::setvbuf(m_file, nullptr, _IONBF, 0);  // m_buffer is the only buffer
    link();
    return 0;
}

int TargetFile::close()
{
    if (m_file == nullptr)
        return 0;
    int error = flush();
    errno = 0;
    if (std::fclose(m_file) != 0 && error == 0)
        error = fail(detail::lastError());
    m_file = nullptr;
    unlink();
    return error;
}

int TargetFile::flush()
{
    const int error = put(m_buffer);
    m_buffer.clear();
    return error;
}

int TargetFile::put(std::string_view bytes)
{
    if (bytes.empty())
        return 0;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size())
        return 0;
    return fail(detail::lastError());
}

int TargetFile::fail(int error)
{
    if (m_firstError != 0)
        return error;
    m_firstError = error;
    if (m_window != nullptr && !m_path.empty())
        m_window->writeFailed(m_path, error);
    return error;
}

}  // namespace brimwell
