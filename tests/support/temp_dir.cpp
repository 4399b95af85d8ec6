#include "support/temp_dir.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace brimwell::test {

TempDir::TempDir()
{
    static std::atomic<int> counter = 0;
    m_path = std::filesystem::temp_directory_path() /
             ("brimwell-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::file(std::string_view name) const
{
    return (m_path / name).string();
}

std::string TempDir::write(std::string_view name, std::string_view bytes) const
{
    auto target = m_path / name;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return target.string();
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace brimwell::test
