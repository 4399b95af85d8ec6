#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "support/scripted_window.h"

// What the fuzz programs share: option settings drawn from the input, a scratch folder for
// the programs that go through files, and invariant checks that stop the fuzzer.
namespace brimwell::fuzz {

/// Stops the run with `what` on standard error when an invariant does not hold, so that
/// libFuzzer saves the input as a finding.
void require(bool holds, std::string_view what);

/// The full path of `name` in this process's scratch folder, which is made on first use
/// and removed when the process ends.
std::string scratchFile(std::string_view name);

/// The window's options as 12 bits of the input choose them: separator (bits 0-2, 4 and
/// above: none), quotes (3), remove CR LF (4), the four filter boxes (5-8), Gmail (9),
/// one CSV (10), the chosen folder instead of the source's folder (11, Text1 = the scratch
/// folder).
void applyOptions(test::ScriptedWindow& window, std::uint16_t bits);

/// The separator that the options set by applyOptions stand for.
std::string separatorOf(std::uint16_t bits);

}  // namespace brimwell::fuzz
