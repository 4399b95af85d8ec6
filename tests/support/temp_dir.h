#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace brimwell::test {

/// A fresh folder under the system's temporary folder, removed with everything in it
/// when the object goes.
class TempDir {
public:
    TempDir()
        : m_path(std::filesystem::temp_directory_path() /
                 ("brimwell-test-" + std::to_string(::getpid()) + "-" + std::to_string(next()++)))
    {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    /// The full path of `name` inside the folder, as a string.
    std::string file(std::string_view name) const { return (m_path / name).string(); }
    /// Writes `bytes` to `name` (creating parent folders) and returns its full path.
    std::string write(std::string_view name, std::string_view bytes) const
    {
        const auto target = m_path / name;
        std::filesystem::create_directories(target.parent_path());
        std::ofstream(target, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return target.string();
    }

private:
    static std::atomic<int>& next()
    {
        static std::atomic<int> counter = 0;
        return counter;
    }
    std::filesystem::path m_path;
};

/// A file's whole content as bytes; "<missing>" when it cannot be read.
inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace brimwell::test
