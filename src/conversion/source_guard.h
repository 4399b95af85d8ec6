#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace brimwell {

class Window;

/// A conversion refused because its CSV would replace one of its own input files.
class SourceOverwriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// True when the two paths name the same file: equal once made absolute and lexically
/// normal, or, where both exist, the same file on disk (a link or another spelling).
bool sameFile(const std::string& first, const std::string& second);

/// The one guard that keeps every run from destroying its input. Throws
/// SourceOverwriteError when `target` names `source` or any file of the window's list:
///
///     "The CSV file would replace the listed source file /in/x.csv; /in/x.csv was not converted."
///
/// `consequence` ends the sentence ("/in/x.csv was not converted", "no CSV file was
/// written"); `source` may be empty, and so may `target` (no output asked for), which passes.
void refuseListedSource(const Window& window, const std::string& target, const std::string& source,
                        std::string_view consequence);

}  // namespace brimwell
