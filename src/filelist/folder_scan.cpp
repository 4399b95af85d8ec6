#include "filelist/folder_scan.h"

#include <algorithm>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

#include "base/error_trap.h"
#include "base/text_ops.h"
#include "base/window.h"
#include "textio/encoding.h"
#include "textio/paths.h"

namespace brimwell {

namespace {

/// The location tag of the folder walk's error reports.
constexpr std::string_view kWalkTag = "KestrinTitle2021/08/31";
/// Folders whose paths reach the platform's limit cannot be opened, so they are not walked.
constexpr std::size_t kPathLimit = PATH_MAX;

std::string withTrailingSeparator(std::string folder)
{
    // A folder that already ends in a separator (a root such as "/") gets no second one:
    // the path a doubled separator gives once collapsed.
    if (folder.empty() || folder.back() != kPathSeparator)
        folder += kPathSeparator;
    return folder;
}

bool matchesAll(std::string_view name, std::string_view pattern)
{
    constexpr auto kNone = std::string_view::npos;
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starAt = kNone;  // the last '*' seen, to backtrack to
    std::size_t starName = 0;    // where the name stood when it was seen
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            ++n;
            while (n < name.size() && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80)
                ++n;  // one character, however many UTF-8 bytes it takes
        } else if (p < pattern.size() &&
                   text::upperAscii(pattern[p]) == text::upperAscii(name[n])) {
            ++p;
            ++n;
        } else if (starAt != kNone) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

using FolderId = std::pair<dev_t, ino_t>;
using VisitedFolders = std::set<FolderId>;

/// Records the real folder behind `path`; false when the walk has met it before.
bool firstVisit(VisitedFolders& visited, const std::string& path)
{
    struct stat info {};
    // A folder that cannot be examined cannot be listed either, so it cannot loop.
    if (::stat(path.c_str(), &info) != 0)
        return true;
    return visited.emplace(info.st_dev, info.st_ino).second;
}

/// False for folders that are exactly hidden, system and folder (with or without the
/// reparse point), except a root. With no system bit on this platform every folder passes.
bool passesAttributeTest(const std::string& folder)
{
    if (folder.find_first_not_of(kPathSeparator) == std::string::npos)
        return true;
    constexpr int kProtected = kAttributeHidden | kAttributeSystem | kAttributeDirectory;
    const int attributes = fileAttributes(folder);
    return attributes != kProtected && attributes != (kProtected | kAttributeReparsePoint);
}

bool dropsUnlistableFolder(const std::error_code& error)
{
    return error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
           error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory;
}

/// Appends the sub-folders of `folder` to `found`. When the listing fails it stops there;
/// a folder refused or gone is also removed from `folders`.
void listSubFolders(Window& window, const std::string& folder, std::vector<std::string>& found,
                    std::vector<std::string>& folders, VisitedFolders& visited)
{
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code typeError;
        if (!entry->is_directory(typeError))
            continue;
        window.yield();
        // The iterator never reports "." and ".."; names cannot reach the path limit.
        const std::string name = entry->path().filename().string();
        if (HasBadNameChars(name))
            continue;
        std::string subFolder = folder + name + kPathSeparator;
        if (firstVisit(visited, subFolder))
            found.push_back(std::move(subFolder));
    }
    if (error && dropsUnlistableFolder(error)) {
        auto first = std::find(folders.begin(), folders.end(), folder);
        if (first != folders.end())
            folders.erase(first);
    }
}

void walkLevel(Window& window, std::vector<std::string>& folders, bool recurse,
               VisitedFolders& visited)
{
    ErrorTrap trap(window, "AddFolder", "GetSubDirectories2016", kWalkTag);
    std::vector<std::string> found;
    const std::vector<std::string> entries = folders;
    for (const std::string& folder : entries) {
        trap.step(2, [&] {
            if (!FolderExists(folder) || folder.size() >= kPathLimit)
                return;
            window.yield();
            if (passesAttributeTest(folder))
                listSubFolders(window, folder, found, folders, visited);
        });
    }
    if (recurse && !found.empty())
        trap.step(3, [&] { walkLevel(window, found, true, visited); });
    for (std::string& subFolder : found) {
        trap.step(4, [&] {
            if (!FolderExists(subFolder))
                return;
            window.yield();
            if (passesAttributeTest(subFolder))
                folders.push_back(std::move(subFolder));
        });
    }
}

}  // namespace

int fileAttributes(const std::string& path)
{
    // lstat of "link/" would look through the link, so trailing separators go.
    const auto end = path.find_last_not_of(kPathSeparator);
    const std::string trimmed =
        end == std::string::npos ? path.substr(0, 1) : path.substr(0, end + 1);
    struct stat info {};
    if (trimmed.empty() || ::lstat(trimmed.c_str(), &info) != 0)
        return kInvalidFileAttributes;

    int attributes = 0;
    const std::string_view name =
        std::string_view(trimmed).substr(trimmed.rfind(kPathSeparator) + 1);
    if (name.starts_with('.') && name != "." && name != "..")
        attributes |= kAttributeHidden;
    if (S_ISLNK(info.st_mode)) {
        attributes |= kAttributeReparsePoint;
        if (::stat(trimmed.c_str(), &info) != 0)
            return attributes;  // a dangling link
    }
    if (S_ISDIR(info.st_mode))
        attributes |= kAttributeDirectory;
    else if (S_ISREG(info.st_mode))
        attributes |= kAttributeArchive;
    return attributes;
}

bool HasBadNameChars(std::string_view name)
{
    for (std::size_t index = 0; index < name.size();) {
        const Utf8Char next = decodeUtf8Char(name, index);
        if (!next.valid)
            return true;
        const char32_t codePoint = next.codePoint;
        if (codePoint == '?' || codePoint < 32 || (codePoint >= 127 && codePoint <= 159))
            return true;
        index += next.length;
    }
    return false;
}

bool matchesWildcard(std::string_view name, std::string_view pattern)
{
    if (matchesAll(name, pattern))
        return true;
    return pattern.ends_with(".*") && matchesAll(name, pattern.substr(0, pattern.size() - 2));
}

bool IsExistingFile(const std::string& path) noexcept
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    // Asking for read permission answers what opening would, at half the cost.
    return ::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) == 0;
}

std::vector<std::string> GetFileList(const std::string& folder, std::string_view pattern)
{
    const std::string prefix = withTrailingSeparator(folder);
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(prefix, error), end; !error && entry != end;
         entry.increment(error)) {
        std::string name = entry->path().filename().string();
        if (matchesWildcard(name, pattern) && IsExistingFile(prefix + name))
            names.push_back(std::move(name));
    }
    return names;
}

void GetSubDirectories2016(Window& window, std::vector<std::string>& folders, bool recurse)
{
    VisitedFolders visited;
    for (const std::string& folder : folders)
        firstVisit(visited, folder);
    walkLevel(window, folders, recurse, visited);
}

int addFolderTreeFiles(Window& window, const std::string& folder, std::string_view pattern)
{
    std::vector<std::string> folders{withTrailingSeparator(folder)};
    GetSubDirectories2016(window, folders, true);
    int added = 0;
    for (std::string& entry : folders) {
        entry.pop_back();  // its final separator
        for (const std::string& name : GetFileList(entry, pattern)) {
            if (name.starts_with('~'))
                continue;
            const std::string path = entry + kPathSeparator + name;
            // Only a hidden name can carry hidden plus archive, so only those are examined.
            const bool hiddenArchive =
                name.starts_with('.') && fileAttributes(path) == kHiddenArchive;
            if (IsExistingFile(path) && !hiddenArchive) {
                window.listAdd(CollapseBackslashes(path));
                ++added;
            }
        }
    }
    return added;
}

}  // namespace brimwell
