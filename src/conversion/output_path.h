#pragma once

#include <string>

namespace brimwell {

class ErrorTrap;
class Window;

/// The CSV that a per-file converter writes for `vcfPath`: the source's name without its
/// extension plus ".csv", in the `Text1` folder when `Option9` is selected, else beside the
/// source when `Option10` is selected, doubled separators collapsed; the empty string (no
/// output) when neither is selected. "/in/team.vcf" beside its source gives "/in/team.csv".
std::string perFileTarget(const Window& window, const std::string& vcfPath);

/// The CSV of contact k (0-based) of a multi-contact file, in the folder perFileTarget
/// would use: "team.vcf" gives "team1.csv", "team2.csv", ...; empty when no destination
/// is selected.
std::string perContactTarget(const Window& window, const std::string& vcfPath, long k);

/// Steps 1 and 2 of every per-file converter, under its trap: `target` becomes the
/// perFileTarget of `vcfPath`, refused (false, and nothing deleted) when it would replace a
/// listed source; then the old CSV of that name is deleted.
bool clearPerFileTarget(ErrorTrap& trap, Window& window, const std::string& vcfPath,
                        std::string& target);

}  // namespace brimwell
