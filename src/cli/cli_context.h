#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "chem/element_data_files.h"
#include "chem/element_table.h"

namespace qzx::cli {

/// What every command of qzx-calc receives.
struct CliContext {
    std::vector<std::string> args; ///< the command's own arguments, after its name
    bool json = false;             ///< --json: print exactly one JSON object
    std::filesystem::path programDirectory;
    ElementTable elements; ///< loaded from the program's folder
    std::ostream& out;
    std::ostream& err;
};

/// One command of the tool: its name, a one-line synopsis, the help text of its options
/// and JSON shape, and the function that runs it (exit code 0 on success).
struct CliCommand {
    const char* name;
    const char* synopsis;
    const char* help;
    int (*run)(CliContext& context);
};

/// Every command the tool offers, in the order --help lists them.
const std::vector<CliCommand>& cliCommands();

/// A failure with a message for the user: printed to standard error, exit code 1.
int fail(CliContext& context, const std::string& message);

} // namespace qzx::cli
