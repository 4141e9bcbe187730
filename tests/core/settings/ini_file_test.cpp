#include "settings/ini_file.h"

#include <string>

#include <gtest/gtest.h>

namespace qzx {
namespace {

TEST(IniFile, ReadsSectionsAndKeysLikeWindows) {
    const IniFile file = IniFile::parse("; a comment\r\n"
                                        "Orphan=before any section\r\n"
                                        "[Options]\r\n"
                                        "  Scroll Bars On = 1  \r\n"
                                        "\r\n"
                                        "junk without equals sign\r\n"
                                        ";Show Hints=0\r\n"
                                        "Path=C:\\Program Files\\x.exe\r\n"
                                        "Empty=\r\n"
                                        "Twice=first\r\n"
                                        "twice=second\r\n"
                                        "[ printer ]\r\n"
                                        "Paper Width=8.5"); // no final line end
    EXPECT_EQ(file.value("Options", "Scroll Bars On"), "1");
    EXPECT_EQ(file.value("OPTIONS", "scroll bars on"), "1");
    EXPECT_EQ(file.value("Options", "Path"), "C:\\Program Files\\x.exe");
    EXPECT_EQ(file.value("Options", "Empty"), "");
    EXPECT_EQ(file.value("Options", "Twice"), "first");
    EXPECT_EQ(file.value("Printer", "Paper Width"), "8.5");
    // Comments, entries before the first section and junk are never found.
    EXPECT_EQ(file.value("Options", "Show Hints"), std::nullopt);
    EXPECT_EQ(file.value("", "Orphan"), std::nullopt);
    EXPECT_EQ(file.value("Options", "junk without equals sign"), std::nullopt);
    // A key is looked up only in its own section.
    EXPECT_EQ(file.value("Printer", "Path"), std::nullopt);
    EXPECT_EQ(file.value("Missing", "Path"), std::nullopt);
}

TEST(IniFile, AcceptsEveryLineEnd) {
    for (const char* text :
         {"[A]\nx=1\ny=2\n", "[A]\r\nx=1\r\ny=2", "[A]\rx=1\ry=2\r", "\xEF\xBB\xBF[A]\nx=1\ny=2"}) {
        const IniFile file = IniFile::parse(text);
        EXPECT_EQ(file.value("A", "x"), "1") << text;
        EXPECT_EQ(file.value("A", "y"), "2") << text;
    }
}

TEST(IniFile, RewritingKeepsOtherEntriesAndUsesCrLf) {
    IniFile file = IniFile::parse("; mine\n"
                                  "[Color]\n"
                                  "background=5\n"
                                  "Other=keep me\n"
                                  "\n"
                                  "[Unknown]\n"
                                  "Foo = bar \n");
    file.setValue("Color", "Background", "16777215"); // in place, with our spelling
    file.setValue("Color", "Region", "8388736");      // after the last entry of its section
    file.setValue("Bonds", "PiBond", "2");            // a new section at the end
    file.setValue("Bonds", "BondWidth", "1");
    EXPECT_EQ(file.text(), "; mine\r\n"
                           "[Color]\r\n"
                           "Background=16777215\r\n"
                           "Other=keep me\r\n"
                           "Region=8388736\r\n"
                           "\r\n"
                           "[Unknown]\r\n"
                           "Foo = bar \r\n"
                           "[Bonds]\r\n"
                           "PiBond=2\r\n"
                           "BondWidth=1\r\n");
    // What was written reads back.
    const IniFile again = IniFile::parse(file.text());
    EXPECT_EQ(again.value("color", "BACKGROUND"), "16777215");
    EXPECT_EQ(again.value("Bonds", "BondWidth"), "1");
}

TEST(IniFile, ValueCannotAddLines) {
    IniFile file;
    file.setValue("Settings", "R_Group", "evil\r\n[Bonds]\nPiBond=9");
    EXPECT_EQ(file.text(), "[Settings]\r\nR_Group=evil  [Bonds] PiBond=9\r\n");
    EXPECT_EQ(IniFile::parse(file.text()).value("Bonds", "PiBond"), std::nullopt);
}

TEST(IniFile, ArbitraryBytesComeBackApartFromTheirLineEnds) {
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 7919 + i / 13) % 256);
    bytes += "\n[\n]\n[]\n=\n==\n[x\r\r\n\n\r  blanks = kept \t\n[ S2 ] \nlast line";
    // What the file must give back: every line as it was, each ending in CR LF, where CR LF,
    // a lone CR and a lone LF each end one line.
    std::string lines;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') {
            lines += bytes[i];
            continue;
        }
        lines += "\r\n";
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    }
    lines += "\r\n";

    IniFile file = IniFile::parse(bytes);
    EXPECT_EQ(file.text(), lines);
    // A new section goes after all of it and reads back, whatever came before.
    file.setValue("S", "K", "v");
    EXPECT_EQ(file.text(), lines + "[S]\r\nK=v\r\n");
    EXPECT_EQ(IniFile::parse(file.text()).value("S", "K"), "v");
}

} // namespace
} // namespace qzx
