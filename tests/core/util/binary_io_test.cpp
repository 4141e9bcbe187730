#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <vector>

#include <filesystem>
#include <fstream>

#include "scratch_folder.h"
#include "util/binary_io.h"
#include "util/safe_file.h"

namespace qzx {
namespace {

TEST(LittleEndian, WritesLowByteFirstAndReadsBack) {
    LittleEndianWriter out;
    out.writeInt32(-2);
    out.writeFloat(1.0f);
    const Bytes expected{0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F};
    EXPECT_EQ(out.bytes(), expected);

    LittleEndianReader in(out.bytes());
    std::int32_t i = 0;
    float f = 0;
    ASSERT_TRUE(in.readInt32(i));
    ASSERT_TRUE(in.readFloat(f));
    EXPECT_EQ(i, -2);
    EXPECT_EQ(f, 1.0f);
}

TEST(LittleEndian, NeverReadsPastTheEnd) {
    const Bytes three{1, 2, 3};
    LittleEndianReader in(three);
    std::int32_t value = 77;
    EXPECT_FALSE(in.readInt32(value));
    EXPECT_EQ(value, 77);
    EXPECT_EQ(in.remaining(), 3u);
}

class SafeFileTest : public ::testing::Test {
protected:
    const test::ScratchFolder scratch{"qzx_safe_"};
    const std::filesystem::path folder = scratch.path();
};

TEST_F(SafeFileTest, ReplacesTheFileAndLeavesNoTemporary) {
    const auto path = folder / "data.bin";
    EXPECT_EQ(writeFileSafely(path, std::string("old")), "");
    EXPECT_EQ(writeFileSafely(path, std::string("new")), "");
    EXPECT_EQ(readWholeFile(path), (Bytes{'n', 'e', 'w'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(SafeFileTest, FailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
    const auto path = folder / "data.bin";
    ASSERT_EQ(writeFileSafely(path, std::string("old")), "");
    // A file-size limit makes the write of the new data fail half way, as a full disk would.
    struct rlimit before {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = before;
    small.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = writeFileSafely(path, std::string(100, 'n'));
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_NE(error, "");
    EXPECT_EQ(readWholeFile(path), (Bytes{'o', 'l', 'd'}));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"data.bin"}) << "no temporary is left behind";
}

TEST_F(SafeFileTest, EachSaveUsesATemporaryOfItsOwn) {
    // A temporary another program left under an earlier fixed name does not stop a save.
    const auto path = folder / "data.bin";
    std::filesystem::create_directory(folder / "data.bin.tmp~");
    EXPECT_EQ(writeFileSafely(path, std::string("new")), "");
    EXPECT_EQ(readWholeFile(path), (Bytes{'n', 'e', 'w'}));
}

TEST_F(SafeFileTest, FindsFilesWhateverTheirCase) {
    std::ofstream(folder / "QZXPROA.DAT") << "x";
    EXPECT_EQ(findFileIgnoringCase(folder, "qzxproa.dat").filename(), "QZXPROA.DAT");
    EXPECT_EQ(findFileIgnoringCase(folder, "missing.dat"), folder / "missing.dat");
}

} // namespace
} // namespace qzx
