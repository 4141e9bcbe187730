#include "cli_context.h"

namespace qzx::cli {

int fail(CliContext& context, const std::string& message) {
    context.err << "qzx-calc: " << message << "\n";
    return 1;
}

extern const CliCommand kConvertCommand;   // convert_command.cpp
extern const CliCommand kInfoCommand;      // convert_command.cpp
extern const CliCommand kIsotopesCommand;  // isotopes_command.cpp
extern const CliCommand kFormulasCommand;  // formulas_command.cpp
extern const CliCommand kFragmentsCommand; // fragments_command.cpp
extern const CliCommand kSpectrumCommand;  // spectrum_command.cpp
extern const CliCommand kExplainCommand;   // explain_command.cpp

// Each command lives in its own file and is listed here.
const std::vector<CliCommand>& cliCommands() {
    static const std::vector<CliCommand> commands = {
        kConvertCommand,   kInfoCommand,     kIsotopesCommand, kFormulasCommand,
        kFragmentsCommand, kSpectrumCommand, kExplainCommand,
    };
    return commands;
}

} // namespace qzx::cli
