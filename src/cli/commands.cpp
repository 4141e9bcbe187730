#include "cli_context.h"

namespace qzx::cli {

int fail(CliContext& context, const std::string& message) {
    context.err << "qzx-calc: " << message << "\n";
    return 1;
}

// Each command lives in its own file and is listed here.
const std::vector<CliCommand>& cliCommands() {
    static const std::vector<CliCommand> commands = {
    };
    return commands;
}

} // namespace qzx::cli
