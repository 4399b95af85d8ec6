#include "conversion/output_path.h"

#include "base/error_trap.h"
#include "base/window.h"
#include "conversion/source_guard.h"
#include "textio/paths.h"
#include "textio/text_writer.h"

namespace brimwell {

std::string perFileTarget(const Window& window, const std::string& vcfPath)
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
                               ".csv");
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
