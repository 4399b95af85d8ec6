#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brimwell {

class Window;

/// The attribute bits the folder walk and the file tests compare, with the values the
/// program stores. On this platform: hidden = the name begins with '.', archive = every
/// regular file, system = never, folder = a directory, reparse point = a symbolic link.
enum FileAttribute : int {
    kAttributeHidden = 2,
    kAttributeSystem = 4,
    kAttributeDirectory = 16,
    kAttributeArchive = 32,
    kAttributeReparsePoint = 1024,
};
/// What fileAttributes gives for a path that cannot be examined.
inline constexpr int kInvalidFileAttributes = -1;
/// Hidden plus archive: a regular dot-file, which no scan adds.
inline constexpr int kHiddenArchive = kAttributeHidden | kAttributeArchive;

/// The path's attribute bits; a symbolic link carries its target's folder or archive bit
/// plus the reparse point. kInvalidFileAttributes when the path cannot be examined.
int fileAttributes(const std::string& path);

/// True for a name the list must not offer: one holding '?', a control character (below
/// 32, 127, or 128 to 159 as a character) or bytes that are not valid UTF-8, which the
/// window could only show with a replacement mark.
bool HasBadNameChars(std::string_view name);

/// Wildcard match of a file name, letter case ignored (ASCII): '*' is any run of
/// characters, '?' one character, and a pattern ending in ".*" also matches names
/// without an extension, so "*.*" matches every name.
bool matchesWildcard(std::string_view name, std::string_view pattern);

/// True when the path names an existing regular file (or a link to one) that the
/// program can open for reading. Never throws.
bool IsExistingFile(const std::string& path) noexcept;

/// The names of the files (not folders) in `folder` that match `pattern`, hidden files
/// included, in the order the file system lists them; none when the folder cannot be read.
std::vector<std::string> GetFileList(const std::string& folder, std::string_view pattern);

/// Extends `folders` (each entry ending in '/') with their sub-folders: the next level of
/// all of them, then, with `recurse`, every deeper level, each in the order found. Names
/// with bad characters and "."/".." are skipped with their trees; a folder that cannot be
/// listed for lack of permission or because it is gone is removed from `folders`. Links to
/// folders are followed, but each real folder enters the list once, so a cycle ends.
void GetSubDirectories2016(Window& window, std::vector<std::string>& folders, bool recurse);

/// Adds to the window's list every file matching `pattern` in `folder` and all its
/// sub-folders, folder by folder in walk order, except names beginning with '~' and
/// regular dot-files. The paths are full, with doubled separators collapsed. Returns the
/// number of files added. Used by "Add All VCF File(s) In Folder" ("*." + extension) and
/// for dropped folders ("*.*").
int addFolderTreeFiles(Window& window, const std::string& folder, std::string_view pattern);

}  // namespace brimwell
