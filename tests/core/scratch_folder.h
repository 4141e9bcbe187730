#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace qzx::test {

/// A new empty folder under the system's temporary folder for one test's files, removed with
/// everything in it when the object goes. The name holds the test process's id, so tests that
/// run side by side never share a folder.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix)
        : m_path(std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()))) {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

/// Writes `text` byte for byte, replacing the file.
inline void writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

/// A whole file as bytes; empty when it cannot be read.
inline std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace qzx::test
