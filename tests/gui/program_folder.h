#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_paths.h"

namespace qzx::test {

/// A temporary program folder holding the element data files, as the program's own folder
/// does; removed again when the test ends.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::string& prefix) {
        m_path = std::filesystem::temp_directory_path() /
                 (prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
        for (const char* name : {"QZXPROA.DAT", "QZXPROB.DAT"})
            std::filesystem::copy_file(std::filesystem::path(QZX_RUNTIME_DIR) / name,
                                       m_path / name);
    }
    ~ProgramFolder() { std::filesystem::remove_all(m_path); }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace qzx::test
