#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace brimwell::test {

/// What one in-process run of the console program gave.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

/// Runs the console program with `args` (no program name), capturing both streams.
/// Tests that use it link brimwell_cli_lib.
inline CliRun run(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace brimwell::test
