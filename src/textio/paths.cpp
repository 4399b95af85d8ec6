#include "textio/paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace brimwell {

std::string GetFileName(std::string_view path)
{
    const auto last = path.rfind(kPathSeparator);
    return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string GetFolderPath(std::string_view path)
{
    const auto last = path.rfind(kPathSeparator);
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

std::string RemoveExtension(std::string_view name)
{
    const auto dot = name.rfind('.');
    // A full stop in the first place starts a name such as ".vcf", not an extension.
    if (dot == std::string_view::npos || dot == 0)
        return std::string(name);
    return std::string(name.substr(0, dot));
}

bool FolderExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error) && !error;
}

bool FileExists(const std::string& path)
{
    // A folder's time can be read as well, but callers ask about files to read, so a
    // folder does not count.
    std::error_code error;
    if (path.empty() || std::filesystem::is_directory(path, error))
        return false;
    [[maybe_unused]] const auto modified = std::filesystem::last_write_time(path, error);
    return !error;
}

std::string CollapseBackslashes(std::string_view path)
{
    const auto rest = std::min(path.find_first_not_of(kPathSeparator), path.size());
    // A leading run keeps one separator when it is one, else exactly two (a network path).
    std::string result(std::min<std::size_t>(rest, 2), kPathSeparator);
    result.reserve(path.size());
    for (std::size_t i = rest; i < path.size(); ++i) {
        result += path[i];
        if (path[i] == kPathSeparator && i + 1 < path.size() && path[i + 1] == kPathSeparator)
            ++i;  // a pair becomes one; the next character starts afresh
    }
    return result;
}

}  // namespace brimwell
