// The command-line front end: measures the sources named on the command line
// and prints the results as text, CSV or JSON.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrum {

// Exit statuses of the command line.
enum ExitStatus : int {
    ExitOk = 0,
    ExitUnreadable = 1, // a file could not be read; the others were measured
    ExitUsage = 2,      // bad arguments, or a source that cannot be searched
    ExitMaxCc = 3,      // --max-cc found a function above the limit
};

// Runs the command line with `args` (without the program name). Results go to
// `out` (or the -o file), messages and the progress line to `err`.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kestrum
