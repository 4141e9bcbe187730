#include "platform/process_tree.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace qzx {
namespace {

/// The state letter and parent id from /proc/<pid>/stat ("pid (name) S ppid ..."); the name may
/// hold blanks and parentheses, so the fields are read after its last ")".
bool readStat(ProcessId pid, char& state, ProcessId& parent) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(in, line)) return false;
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) return false;
    std::istringstream rest(line.substr(close + 1));
    return static_cast<bool>(rest >> state >> parent);
}

} // namespace

std::set<ProcessId> processFamily(ProcessId root) {
    std::multimap<ProcessId, ProcessId> children;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        const ProcessId pid = std::stoll(name);
        char state = 0;
        ProcessId parent = 0;
        if (readStat(pid, state, parent) && state != 'Z') children.emplace(parent, pid);
    }
    std::set<ProcessId> family;
    if (!processRunning(root)) return family;
    std::vector<ProcessId> open{root};
    while (!open.empty()) {
        const ProcessId pid = open.back();
        open.pop_back();
        if (!family.insert(pid).second) continue;
        const auto [first, last] = children.equal_range(pid);
        for (auto it = first; it != last; ++it)
            open.push_back(it->second);
    }
    return family;
}

bool processRunning(ProcessId pid) {
    char state = 0;
    ProcessId parent = 0;
    return pid > 0 && readStat(pid, state, parent) && state != 'Z' && state != 'X';
}

} // namespace qzx
