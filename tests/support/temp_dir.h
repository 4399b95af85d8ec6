#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace brimwell::test {

/// A fresh folder under the system's temporary folder, removed with everything in it
/// when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    /// The full path of `name` inside the folder, as a string.
    std::string file(std::string_view name) const;
    /// Writes `bytes` to `name` (creating parent folders) and returns its full path.
    std::string write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path m_path;
};

/// A file's whole content as bytes; "<missing>" when it cannot be read.
std::string readBytes(const std::string& path);

}  // namespace brimwell::test
