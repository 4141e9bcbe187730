#include "settings/settings_file.h"

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scratch_folder.h"

namespace qzx {
namespace {
namespace fs = std::filesystem;

/// The settings file in a fresh folder of its own.
class SettingsFileTest : public ::testing::Test {
protected:
    void write(const std::string& text) { test::writeText(m_ini, text); }
    std::string read() const { return test::readText(m_ini); }
    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        std::istringstream in(read());
        for (std::string line; std::getline(in, line);) {
            EXPECT_TRUE(!line.empty() && line.back() == '\r') << line;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            result.push_back(line);
        }
        return result;
    }

    const test::ScratchFolder m_scratch{"qzx_settings_"};
    const fs::path m_folder = m_scratch.path();
    const fs::path m_ini = m_folder / kSettingsFileName;
};

TEST_F(SettingsFileTest, MissingFileGivesDefaults) {
    EXPECT_EQ(loadSettings(m_ini), Settings{});
    write("");
    EXPECT_EQ(loadSettings(m_ini), Settings{});
}

TEST_F(SettingsFileTest, SaveWritesEveryKeyInOrder) {
    ASSERT_EQ(saveSettings(m_ini, Settings{}), "");
    // clang-format off
    const std::vector<std::string> expected = {
        "[Bonds]", "RingBondLength=20", "AlkBondLength=30", "PiBond=2", "BondWidth=1",
        "[Color]", "Background=-2147483624", "Bonds=0", "FragmentA=255", "FragmentB=16711680",
        "Region=8388736",
        "[Font]", "FontSize=9", "FontColor=0", "IsotopeColor=32768", "FontBold=0",
        "[Settings]", "Sound=30", "FragmentMarker=3", "R_Group={Default}",
        "[Paths]", "PathToText=libreoffice --writer",
        "PathToPaint=C:\\Program Files\\Accessories\\MSPaint.exe",
        "[Options]", "ConfirmNew=0", "ConfirmQuit=1", "ShowFragComposition=0", "ShowPopBox=1",
        "Accurate Mass=0", "Show Label=0", "Scroll Bars On=0", "Show Hints=1",
        "HideSplashScreen=0",
        "[Printer]", "Paper Width=8.5", "Paper Height=11.0", "Inches=1", "Spectrum_Orientation=1",
        "Structure_Orientation=2", "Color Printer=0", "SpectrumTop=50", "SpectrumLeft=20",
        "SpectrumWidth=120", "SpectrumHeight=120", "StructureTop=60", "StructureLeft=60",
        "StructureWidth=60", "StructureHeight=70"};
    // clang-format on
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(expected.size(), 41u + 7u); // 41 keys in 7 sections
    EXPECT_EQ(loadSettings(m_ini), Settings{});
}

TEST_F(SettingsFileTest, RoundTripOfChangedValues) {
    Settings s;
    s.RingBondLength = 99;
    s.BondWidth = false;
    s.Background = 16777215;
    s.FragmentB = -2147483647 - 1;
    s.FontBold = true;
    s.Sound = 0;
    s.R_Group = "My Groups";
    s.PathToText = "/usr/bin/libreoffice --writer";
    s.ConfirmQuit = false;
    s.AccurateMass = s.ShowLabel = s.ScrollBarsOn = s.ColorPrinter = true;
    s.ShowHints = false;
    s.PaperWidth = "210";
    s.PaperHeight = "297,5 mm";
    s.Inches = false;
    s.Structure_Orientation = 1;
    s.SpectrumTop = "-5";
    s.StructureHeight = "0";
    ASSERT_EQ(saveSettings(m_ini, s), "");
    EXPECT_EQ(loadSettings(m_ini), s);
}

TEST_F(SettingsFileTest, ValuesOfTheWrongTypeKeepDefaults) {
    write("[Bonds]\nRingBondLength=abc\nAlkBondLength=12px\nPiBond=99999999999\n"
          "BondWidth=yes\n"
          "[Color]\nBackground=\nBonds=+-3\n"
          "[Font]\nFontSize=+12\nFontBold=-1\n"
          "[Options]\nConfirmQuit=0\nShowPopBox=true\n"
          "[Printer]\nPaper Width=\nSpectrumTop=1.5\nSpectrumLeft=  33   \nSpectrumWidth=\n"
          "StructureTop=6O\n");
    Settings expected;
    expected.FontSize = 12;
    expected.FontBold = true;
    expected.ConfirmQuit = false;
    expected.PaperWidth = ""; // a free string, taken as written
    expected.SpectrumLeft = "33";
    EXPECT_EQ(loadSettings(m_ini), expected);
}

TEST_F(SettingsFileTest, ReadsAnySpellingAndLineEnd) {
    for (const char* end : {"\n", "\r\n"}) {
        write(std::string("[options]") + end + "accurate mass=1" + end + "SCROLL BARS ON = 7" +
              end + "[COLOR]" + end + "background=16777215"); // no final line end
        const Settings s = loadSettings(m_ini);
        EXPECT_TRUE(s.AccurateMass);
        EXPECT_TRUE(s.ScrollBarsOn);
        EXPECT_EQ(s.Background, 16777215);
    }
}

TEST_F(SettingsFileTest, SavingKeepsTheUsersOtherEntries) {
    write("; written by hand\n[Settings]\nSound=0\nR_Group=Old\nMine=1\n[Extra]\nKey=Value\n");
    ASSERT_EQ(saveRGroupSetting(m_ini, "Peptides"), "");
    EXPECT_EQ(read(), "; written by hand\r\n[Settings]\r\nSound=0\r\nR_Group=Peptides\r\n"
                      "Mine=1\r\n[Extra]\r\nKey=Value\r\n");

    // Into a file without the key or the file at all.
    write("[Extra]\nKey=Value\n");
    ASSERT_EQ(saveRGroupSetting(m_ini, "Peptides"), "");
    EXPECT_EQ(read(), "[Extra]\r\nKey=Value\r\n[Settings]\r\nR_Group=Peptides\r\n");
    fs::remove(m_ini);
    ASSERT_EQ(saveRGroupSetting(m_ini, "{Default}"), "");
    EXPECT_EQ(read(), "[Settings]\r\nR_Group={Default}\r\n");

    write("[Extra]\nKey=Value\n[Settings]\nMine=1\n");
    ASSERT_EQ(saveSettings(m_ini, Settings{}), "");
    const std::vector<std::string> all = lines();
    ASSERT_EQ(all.size(), 2u + 41u + 7u + 1u);
    EXPECT_EQ(all[0], "[Extra]");
    EXPECT_EQ(all[1], "Key=Value");
    EXPECT_EQ(all[2], "[Settings]");
    EXPECT_EQ(all[3], "Mine=1");
    EXPECT_EQ(all[4], "Sound=30");
    EXPECT_EQ(all[7], "[Bonds]");
}

TEST_F(SettingsFileTest, FailedSaveLeavesTheOldFile) {
    // A folder of that name cannot be replaced by a file.
    const fs::path folderInTheWay = m_folder / "IN_THE_WAY.INI";
    fs::create_directories(folderInTheWay / "inside");
    EXPECT_NE(saveSettings(folderInTheWay, Settings{}), "");
    EXPECT_NE(saveRGroupSetting(folderInTheWay, "x"), "");
    EXPECT_TRUE(fs::exists(folderInTheWay / "inside"));
    EXPECT_EQ(loadSettings(folderInTheWay), Settings{});
    EXPECT_NE(saveSettings(m_folder / "no such folder" / "QZXPRO.INI", Settings{}), "");
}

TEST_F(SettingsFileTest, GarbageSetsNoKeyAndHidesNoneAfterIt) {
    // Random bytes as the value of PiBond (after an "x", so never a number) and as lines of
    // their own, with a key of another section after them: PiBond keeps its default, no key
    // the bytes do not spell changes, and FontSize is still read.
    Settings expected;
    expected.FontSize = 12;
    std::mt19937 random(12345);
    for (int round = 0; round < 200; ++round) {
        std::string text = "[Bonds]\nPiBond=x";
        const int length = static_cast<int>(random() % 300);
        for (int i = 0; i < length; ++i)
            text += static_cast<char>(random() % 256);
        text += "\n[Font]\nFontSize=12\n";
        EXPECT_EQ(settingsFromIniText(text), expected) << "round " << round;
    }
}

} // namespace
} // namespace qzx
