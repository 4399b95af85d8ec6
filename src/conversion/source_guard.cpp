#include "conversion/source_guard.h"

#include <filesystem>
#include <system_error>

#include "base/window.h"
#include "textio/paths.h"

namespace brimwell {

namespace fs = std::filesystem;

namespace {

fs::path normalPath(const std::string& path)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return (error ? fs::path(path) : absolute).lexically_normal();
}

bool sameOnDisk(const std::string& first, const std::string& second)
{
    std::error_code error;
    return fs::equivalent(first, second, error) && !error;
}

}  // namespace

bool sameFile(const std::string& first, const std::string& second)
{
    return normalPath(first) == normalPath(second) || sameOnDisk(first, second);
}

void refuseListedSource(const Window& window, const std::string& target, const std::string& source,
                        std::string_view consequence)
{
    if (target.empty())
        return;
    const fs::path normalTarget = normalPath(target);
    const std::string targetName = normalTarget.filename().string();
    std::error_code error;
    // A target that does not exist yet can only be a listed file by its spelling.
    const bool targetExists = fs::exists(target, error);

    auto refuseIfSame = [&](const std::string& candidate) {
        // Spellings are compared only when the names agree: normalising every listed path
        // for every target would cost more than the conversion.
        const bool same =
            (GetFileName(candidate) == targetName && normalPath(candidate) == normalTarget) ||
            (targetExists && sameOnDisk(candidate, target));
        if (same) {
            throw SourceOverwriteError("The CSV file would replace the listed source file " +
                                       candidate + "; " + std::string(consequence) + ".");
        }
    };
    if (!source.empty())
        refuseIfSame(source);
    const int count = window.listCount();
    for (int i = 1; i <= count; ++i)
        refuseIfSame(window.listItem(i));
}

}  // namespace brimwell
