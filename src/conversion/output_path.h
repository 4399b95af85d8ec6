#pragma once

#include <string>

namespace brimwell {

class Window;

/// The CSV that a per-file converter writes for `vcfPath`: the source's name without its
/// extension plus ".csv", in the `Text1` folder when `Option9` is selected, else beside the
/// source when `Option10` is selected, doubled separators collapsed; the empty string (no
/// output) when neither is selected. "/in/team.vcf" beside its source gives "/in/team.csv".
std::string perFileTarget(const Window& window, const std::string& vcfPath);

}  // namespace brimwell
