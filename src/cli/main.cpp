// qzx-calc: the program's computations for batch work and scripting. Plain text by default,
// one JSON object with --json. It uses the element data files from its own folder.
#include <filesystem>
#include <iostream>
#include <string>

#include "cli_context.h"
#include "util/memory_retention.h"

namespace {

std::filesystem::path executableFolder(const char* argv0) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return std::filesystem::absolute(argv0).parent_path();
}

void printHelp(std::ostream& out) {
    out << "usage: qzx-calc [--json] COMMAND [ARGUMENTS]\n\n"
           "Computations of Quorin Professional for batch work and scripting. The element\n"
           "data files QZXPROA.DAT and QZXPROB.DAT are read from the program's own folder.\n"
           "With --json the result is printed as exactly one JSON object.\n\n"
           "Commands:\n";
    for (const auto& command : qzx::cli::cliCommands())
        out << "  " << command.synopsis << "\n";
    out << "\nqzx-calc --help COMMAND (or COMMAND --help) describes a command, its options and\n"
           "its JSON output.\n";
}

} // namespace

int main(int argc, char** argv) {
    qzx::retainFreedMemory();
    std::vector<std::string> args(argv + 1, argv + argc);
    bool json = false;
    bool help = false;
    std::vector<std::string> rest;
    for (const std::string& arg : args) {
        if (arg == "--json")
            json = true;
        else if (arg == "--help" || arg == "-h")
            help = true;
        else
            rest.push_back(arg);
    }
    const auto& commands = qzx::cli::cliCommands();
    if (rest.empty()) {
        printHelp(help ? std::cout : std::cerr);
        return help ? 0 : 2;
    }
    const qzx::cli::CliCommand* chosen = nullptr;
    for (const auto& command : commands)
        if (rest.front() == command.name) chosen = &command;
    if (chosen == nullptr) {
        std::cerr << "qzx-calc: unknown command '" << rest.front() << "'; see qzx-calc --help\n";
        return 2;
    }
    if (help) {
        std::cout << "usage: qzx-calc " << chosen->synopsis << "\n\n" << chosen->help;
        return 0;
    }

    qzx::cli::CliContext context{
        {rest.begin() + 1, rest.end()}, json, executableFolder(argv[0]), {}, std::cout, std::cerr};
    qzx::CalcElementSlots calcSlots{};
    std::string warnings;
    const qzx::ElementLoadResult loaded = qzx::LoadElementTable(
        context.programDirectory, context.elements, calcSlots,
        [&warnings](const std::string& warning) { warnings += warning + "\n"; });
    if (!loaded.loaded) {
        std::cerr << "qzx-calc: " << warnings << loaded.error << "\n";
        return 1;
    }
    return chosen->run(context);
}
