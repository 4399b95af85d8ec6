#pragma once

#include <cmath>
#include <stdexcept>

namespace brimwell {

/// The progress value Int(done / total * 100), computed in floating point exactly as the
/// window's progress bar has always shown it (so 29 of 100 gives 28, not 29). A list
/// emptied in the middle of a run throws "Division by zero".
inline int progressPercent(long long done, long long total)
{
    if (total == 0)
        throw std::domain_error("Division by zero");
    return static_cast<int>(
        std::floor(static_cast<double>(done) / static_cast<double>(total) * 100.0));
}

}  // namespace brimwell
