#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace brimwell {

/// The console program: `brimwell-cli [options] FILE...`. `args` excludes the program
/// name. Returns the exit status: 0 when the run ended without an error report, 1 when an
/// error report was shown or a CSV file could not be written, 2 for a refused run or a
/// usage error. Progress is drawn on
/// `err` only when `errIsTerminal` says a person is watching.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool errIsTerminal = false);

}  // namespace brimwell
