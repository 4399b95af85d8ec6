#include "conversion/output_path.h"

#include <string_view>

#include "base/error_trap.h"
#include "base/window.h"
#include "conversion/source_guard.h"
#include "textio/paths.h"
#include "textio/text_writer.h"

namespace brimwell {

namespace {

/// The CSV named after `vcfPath` with `suffix` before ".csv", in the folder the
/// destination options choose; empty when none is chosen.
std::string targetFor(const Window& window, const std::string& vcfPath, std::string_view suffix)
{
    std::string folder;
    if (window.optionSelected(Control::Option9))
        folder = window.text(Control::Text1);
    else if (window.optionSelected(Control::Option10))
        folder = GetFolderPath(vcfPath);
    else
        return {};
    // The folder may already end in a separator; the collapse makes the doubled one single.
    return CollapseBackslashes(folder + kPathSeparator + RemoveExtension(GetFileName(vcfPath)) +
                               std::string(suffix) + ".csv");
}

}  // namespace

std::string perFileTarget(const Window& window, const std::string& vcfPath)
{
    return targetFor(window, vcfPath, "");
}

std::string perContactTarget(const Window& window, const std::string& vcfPath, long k)
{
    return targetFor(window, vcfPath, std::to_string(k + 1));
}

bool clearPerFileTarget(ErrorTrap& trap, Window& window, const std::string& vcfPath,
                        std::string& target)
{
    if (!trap.step(1, [&] {
            target = perFileTarget(window, vcfPath);
            refuseListedSource(window, target, vcfPath, vcfPath + " was not converted");
        }))
        return false;
    trap.step(2, [&] { DeleteFileQuiet(window, target); });
    return true;
}

}  // namespace brimwell
