#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace brimwell {

/// A file operation that failed, with a message ready to show a user:
/// "cannot open file /x/y.vcf: No such file or directory".
class FileError : public std::runtime_error {
public:
    FileError(std::string_view operation, const std::string& path, std::string_view reason)
        : std::runtime_error(std::string(operation) + " " + path + ": " + std::string(reason)),
          m_path(path)
    {}
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace brimwell
