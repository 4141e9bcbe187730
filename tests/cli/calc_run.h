#pragma once

// Runs qzx-calc as a script runs it and keeps what it printed and its exit code.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace qzx::test {

struct CalcRun {
    int status = -1;
    std::string out;
    std::string err;
};

/// A whole file as bytes; empty when it cannot be read.
inline std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// A path in the temporary folder that no other test process uses.
inline std::filesystem::path scratch(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("qzx_calc_" + std::to_string(::getpid()) + "_" + name);
}

/// Runs qzx-calc with `arguments` (already quoted for the shell).
inline CalcRun calc(const std::string& arguments) {
    const std::filesystem::path out = scratch("out"), err = scratch("err");
    const std::string command = std::string("'") + QZX_CALC + "' " + arguments + " >'" +
                                out.string() + "' 2>'" + err.string() + "'";
    CalcRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = slurp(out);
    run.err = slurp(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

} // namespace qzx::test
