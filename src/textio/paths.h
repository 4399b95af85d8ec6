#pragma once

#include <string>
#include <string_view>

namespace brimwell {

/// The platform's path separator, used wherever paths are split or joined.
inline constexpr char kPathSeparator = '/';

/// The text after the last separator; the whole path when it holds none.
std::string GetFileName(std::string_view path);
/// The text up to and including the last separator; empty when it holds none.
std::string GetFolderPath(std::string_view path);
/// The name without its last extension; ".vcf" and "abc" stay as they are, "a.b.vcf" gives "a.b".
std::string RemoveExtension(std::string_view name);
/// True when the path names an existing folder; false for anything else and on any error.
bool FolderExists(const std::string& path);
/// True when the file's modification time can be read; false on any error.
bool FileExists(const std::string& path);
/// Doubled separators become one, in one left-to-right pass; a leading run of separators
/// becomes exactly two ("//server/share"), except that a single leading one stays single.
std::string CollapseBackslashes(std::string_view path);

}  // namespace brimwell
