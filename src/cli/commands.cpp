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
#ifdef QZX_CALC_REPORT
extern const CliCommand kReportCommand; // report_command.cpp
#endif

// Each command lives in its own file and is listed here.
const std::vector<CliCommand>& cliCommands() {
    static const std::vector<CliCommand> commands = {
        kConvertCommand,  kInfoCommand,     kIsotopesCommand, kFormulasCommand,
        kFragmentsCommand, kSpectrumCommand, kExplainCommand,
#ifdef QZX_CALC_REPORT
        kReportCommand,
#endif
    };
    return commands;
}

} // namespace qzx::cli
