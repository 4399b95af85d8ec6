#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

namespace brimwell {

class Window;

/// The three modes of TextFileIO.
enum TextFileMode : int { kReadWhole = 1, kReplace = 2, kAppend = 3 };

/// Whole-file helper. Mode 1 puts the file's bytes into `text`; mode 2 replaces the file
/// with `text` and CR LF; mode 3 appends `text` and CR LF, creating the file if needed.
/// Never throws: returns 0 on success, otherwise an error number (errno).
int TextFileIO(const std::string& path, std::string& text, int mode);

/// Deletes a file, read-only or not, ignoring every failure. Lets the window's pending
/// events run first.
void DeleteFileQuiet(Window& window, const std::string& path);

/// Writes what every open TargetFile holds to its file, then ends the program at once
/// with `status`, running no destructor and no exit handler. For a window closed in the
/// middle of a run: the lines a converter has handed to its target are on disk, the rest
/// of the run is not done. A failed write is not told to any window.
[[noreturn]] void EndProgramKeepingWrites(int status);

/// One converter call's output file. writeLine gives exactly the bytes that opening,
/// writing the line and CR LF, and closing the file for every line would give, but keeps
/// the file open and buffered until close(). Failures never throw; they are returned and
/// remembered in firstError(), and the first one is told to `window` (when given) through
/// Window::writeFailed. An empty path (no output asked for) fails without telling.
class TargetFile {
public:
    explicit TargetFile(std::string path, Window* window = nullptr)
        : m_path(std::move(path)), m_window(window)
    {}
    TargetFile(const TargetFile&) = delete;
    TargetFile& operator=(const TargetFile&) = delete;
    ~TargetFile() { close(); }

    /// mode kReplace empties the file first; kAppend adds at its end. 0 or an errno value.
    int writeLine(std::string_view text, int mode);
    /// Adds `lines`, which end in CR LF already, at the end of the file as they are: the
    /// same bytes as a writeLine(..., kAppend) for each. 0 or an errno value.
    int appendLines(std::string_view lines);
    /// Flushes and closes; 0 or the error number of the failed write.
    int close();

    const std::string& path() const { return m_path; }
    int firstError() const { return m_firstError; }

private:
    /// Opens the file for `mode` unless it is open. 0 or an errno value.
    int open(int mode);
    int flush();
    /// Writes `bytes` to the open file. 0 or an errno value.
    int put(std::string_view bytes);
    int fail(int error);

    std::string m_path;
    Window* m_window;
    friend void EndProgramKeepingWrites(int status);
    /// Open targets form a list, so that EndProgramKeepingWrites finds them.
    void link();
    void unlink();
    static TargetFile* s_firstOpen;
    TargetFile* m_previousOpen = nullptr;
    TargetFile* m_nextOpen = nullptr;

    std::FILE* m_file = nullptr;
    std::string m_buffer;
    int m_firstError = 0;
    int m_openError = 0;  ///< an open that failed, so that later lines fail at once
};

}  // namespace brimwell
