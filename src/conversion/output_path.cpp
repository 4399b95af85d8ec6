#include "conversion/output_path.h"

#include "app/window.h"
#include "textio/paths.h"

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

}  // namespace brimwell
