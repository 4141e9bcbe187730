// The US keyboard tables: characters to keys, keys to scan codes and to X keysyms.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "key_codes.h"
#include "key_symbols.h"

namespace qzx::keysend {
namespace {

// The printable characters of a US keyboard, each with the one Shift gives on the same key.
const std::string Plain = "`1234567890-=qwertyuiop[]\\asdfghjkl;'zxcvbnm,./";
const std::string WithShift = "~!@#$%^&*()_+QWERTYUIOP{}|ASDFGHJKL:\"ZXCVBNM<>?";

TEST(KeyTables, ShiftedCharactersShareTheKeyOfTheirPlainOnes) {
    ASSERT_EQ(Plain.size(), WithShift.size());
    std::set<int> keys;
    for (std::size_t i = 0; i < Plain.size(); ++i) {
        const std::int16_t plain = vkKeyScan(Plain[i]);
        EXPECT_EQ(plain & 0xFF00, 0) << Plain[i];
        EXPECT_EQ(vkKeyScan(WithShift[i]), plain | 0x100) << WithShift[i];
        keys.insert(plain);
    }
    EXPECT_EQ(keys.size(), Plain.size()) << "two characters on one key";
    EXPECT_EQ(vkKeyScan('v'), 'V');
    EXPECT_EQ(vkKeyScan(' '), 32);
    EXPECT_EQ(vkKeyScan('\t'), 9);
    EXPECT_EQ(vkKeyScan('\r'), 13);
    EXPECT_EQ(vkKeyScan('\n') & 0xFF, 13);
    for (char c : {'\x00', '\x01', '\x1B', '\x7F', '\xA0', '\xE9', '\xFF'})
        EXPECT_EQ(vkKeyScan(c), -1) << int(c);
}

TEST(KeyTables, ScanCodesFollowThePcKeyboardRows) {
    auto row = [](const std::string& letters, int firstCode) {
        for (std::size_t i = 0; i < letters.size(); ++i)
            EXPECT_EQ(mapVirtualKey(vkKeyScan(letters[i]) & 0xFF), firstCode + int(i))
                << letters[i];
    };
    row("1234567890-=", 0x02);
    row("qwertyuiop[]", 0x10);
    row("asdfghjkl;'`", 0x1E);
    row("zxcvbnm,./", 0x2C);
    EXPECT_EQ(mapVirtualKey(8), 0x0E);
    EXPECT_EQ(mapVirtualKey(9), 0x0F);
    EXPECT_EQ(mapVirtualKey(13), 0x1C);
    EXPECT_EQ(mapVirtualKey(17), 0x1D);
    EXPECT_EQ(mapVirtualKey(16), 0x2A);
    EXPECT_EQ(mapVirtualKey(18), 0x38);
    EXPECT_EQ(mapVirtualKey(32), 0x39);
    EXPECT_EQ(mapVirtualKey(112), 0x3B); // F1
    EXPECT_EQ(mapVirtualKey(121), 0x44); // F10
    EXPECT_EQ(mapVirtualKey(123), 0x58); // F12
    EXPECT_EQ(mapVirtualKey(47), 0);     // Help has no key
    EXPECT_EQ(mapVirtualKey(255), 0);
}

TEST(KeyTables, EveryKeyAMacroCanNameHasAnXKeysym) {
    // Latin-1 keysyms equal their character codes: an unshifted key plays its own character.
    for (char c : Plain + " ")
        EXPECT_EQ(keysymForVirtualKey(vkKeyScan(c) & 0xFF), static_cast<unsigned char>(c)) << c;
    for (int special :
         {3, 8, 9, 12, 13, 16, 17, 18, 20, 27, 33, 34, 35, 36, 37, 38, 39, 40, 44, 45, 46, 47, 144})
        EXPECT_NE(keysymForVirtualKey(special), 0u) << special;
    std::set<unsigned long> functionKeys;
    for (int f = 112; f <= 123; ++f)
        functionKeys.insert(keysymForVirtualKey(f));
    EXPECT_EQ(functionKeys.size(), 12u);
    EXPECT_EQ(keysymForVirtualKey(255), 0u);
}

} // namespace
} // namespace qzx::keysend
