// The macro language: modifiers, characters, special keys in braces and the error codes.
#include <gtest/gtest.h>

#include <cctype>

#include "event_matchers.h"
#include "key_codes.h"

namespace qzx::keysend {
namespace {
using test::Down;
using test::parse;
using test::Stroke;
using test::SysDown;
using test::SysUp;
using test::tap;
using test::Up;

using Strokes = std::vector<Stroke>;

TEST(ParseMacro, CtrlVIsCtrlDownVDownVUpCtrlUp) {
    EventList events;
    const std::uint32_t before = tickCount();
    ASSERT_EQ(ParseMacro("^V", events), 0);
    const std::uint32_t after = tickCount();
    EXPECT_EQ(test::strokes(events), (Strokes{{Down, 17}, {Down, 86}, {Up, 86}, {Up, 17}}));
    // The second byte holds the scan code (Ctrl 0x1D, V 0x2F); repeat count 1; no window.
    const std::vector<std::uint32_t> paramL{0x1D11, 0x2F56, 0x2F56, 0x1D11};
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].paramL, paramL[i]);
        EXPECT_EQ(events[i].paramH, 1u);
        EXPECT_EQ(events[i].hwnd, 0u);
        EXPECT_LE(events[i].time - before, after - before) << "time of event " << i;
    }
}

TEST(ParseMacro, ModifiersComeInAFixedOrderAndHoldForTheNextKeyOnly) {
    EXPECT_EQ(parse("+a").strokes, (Strokes{{Down, 16}, {Down, 65}, {Up, 65}, {Up, 16}}));
    // Alt, Ctrl, Shift down; Shift, Alt, Ctrl up - whatever order the macro names them in.
    const Strokes all{{Down, 18}, {Down, 17}, {Down, 16}, {Down, 88},
                      {Up, 88},   {Up, 16},   {Up, 18},   {Up, 17}};
    EXPECT_EQ(parse("^+%x").strokes, all);
    EXPECT_EQ(parse("%+^x").strokes, all);
    EXPECT_EQ(parse("^^x").strokes, (Strokes{{Down, 17}, {Down, 88}, {Up, 88}, {Up, 17}}));

    Strokes ctrlAThenB{{Down, 17}, {Down, 65}, {Up, 65}, {Up, 17}, {Down, 66}, {Up, 66}};
    EXPECT_EQ(parse("^ab").strokes, ctrlAThenB);

    // A modifier with no key after it is dropped.
    EXPECT_EQ(parse("a^").strokes, tap(65));
    EXPECT_EQ(parse("^+%"), (test::Parsed{0, {}}));
    EXPECT_EQ(parse(""), (test::Parsed{0, {}}));
}

TEST(ParseMacro, AltWithoutCtrlSendsTheKeyAsASystemKey) {
    EXPECT_EQ(parse("%f").strokes, (Strokes{{Down, 18}, {SysDown, 70}, {SysUp, 70}, {Up, 18}}));
    EXPECT_EQ(parse("%+f").strokes,
              (Strokes{{Down, 18}, {Down, 16}, {SysDown, 70}, {SysUp, 70}, {Up, 16}, {Up, 18}}));
    // With Ctrl held as well the key is an ordinary one.
    EXPECT_EQ(parse("^%f").strokes,
              (Strokes{{Down, 18}, {Down, 17}, {Down, 70}, {Up, 70}, {Up, 18}, {Up, 17}}));
    // The system-key state ends with the key.
    const test::Parsed altThenPlain = parse("%{F4}x");
    EXPECT_EQ(altThenPlain.strokes,
              (Strokes{{Down, 18}, {SysDown, 115}, {SysUp, 115}, {Up, 18}, {Down, 88}, {Up, 88}}));
}

TEST(ParseMacro, CapitalAndSmallLettersTypeTheSameKeyWithoutShift) {
    for (char c = 'a'; c <= 'z'; ++c) {
        const unsigned key = static_cast<unsigned>(std::toupper(c));
        const char both[] = {c, static_cast<char>(std::toupper(c)), 0};
        EXPECT_EQ(parse(both).strokes, (Strokes{{Down, key}, {Up, key}, {Down, key}, {Up, key}}))
            << both;
    }
    // Shifted punctuation types its key without Shift, too: the macro alone gives modifiers.
    EXPECT_EQ(parse("!").strokes, tap('1'));
    EXPECT_EQ(parse("}").strokes, tap(0xDD));
    EXPECT_EQ(parse("a b.9").strokes[2], (Stroke{Down, 32}));
    EXPECT_EQ(parse("a b.9").strokes[6], (Stroke{Down, 0xBE}));
}

TEST(ParseMacro, EverySpecialKeyOfTheTableInAnyLetterCase) {
    const std::vector<std::pair<std::string, unsigned>> table{
        {"TAB", 9},       {"ENTER", 13},  {"ESCAPE", 27},   {"ESC", 27},      {"BS", 8},
        {"BACKSPACE", 8}, {"BREAK", 3},   {"CAPSLOCK", 20}, {"CLEAR", 12},    {"DEL", 46},
        {"DELETE", 46},   {"DOWN", 40},   {"END", 35},      {"HELP", 47},     {"HOME", 36},
        {"INS", 45},      {"INSERT", 45}, {"LEFT", 37},     {"NUMLOCK", 144}, {"PGDN", 34},
        {"PAGEDOWN", 34}, {"PGUP", 33},   {"PAGEUP", 33},   {"PRTSC", 44},    {"PRINTSCREEN", 44},
        {"RIGHT", 39},    {"UP", 38},     {"F1", 112},      {"F2", 113},      {"F3", 114},
        {"F4", 115},      {"F5", 116},    {"F6", 117},      {"F7", 118},      {"F8", 119},
        {"F9", 120},      {"F10", 121},   {"F11", 122},     {"F12", 123}};
    for (const auto& [name, code] : table) {
        std::string lower = name, mixed = name;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(c));
        for (std::size_t i = 0; i < mixed.size(); i += 2)
            mixed[i] = static_cast<char>(std::tolower(mixed[i]));
        for (const std::string& spelling : {name, lower, mixed})
            EXPECT_EQ(parse("{" + spelling + "}"), (test::Parsed{0, tap(code)})) << spelling;
    }
    // Wherever it stands, {TAB} is key 9, and parsing goes on after its brace.
    EXPECT_EQ(parse("a{TAB}b").strokes,
              (Strokes{{Down, 'A'}, {Up, 'A'}, {Down, 9}, {Up, 9}, {Down, 'B'}, {Up, 'B'}}));
    EXPECT_EQ(parse("+{enter}").strokes, (Strokes{{Down, 16}, {Down, 13}, {Up, 13}, {Up, 16}}));
}

TEST(ParseMacro, MalformedMacrosGiveTheirErrorCodes) {
    EXPECT_EQ(parse("{ENTER").result, QZX_ERROR_CLOSING_BRACE);
    EXPECT_EQ(parse("{enter").result, QZX_ERROR_CLOSING_BRACE);
    EXPECT_EQ(parse("ab{").result, QZX_ERROR_CLOSING_BRACE);
    EXPECT_EQ(parse("{TAB}{F1").result, QZX_ERROR_CLOSING_BRACE);

    for (const char* macro : {"{ENTRE}", "{}", "{ TAB}", "{TAB }", "{F13}", "{F0}", "{^V}",
                              "{{TAB}", "x{SPACE}", "{ENTER}{NOPE}y"})
        EXPECT_EQ(parse(macro).result, QZX_ERROR_SPECIAL_CHARACTER) << macro;

    // Characters no key types are refused rather than played as an undefined key.
    for (const char* macro : {"caf\xE9", "\x01", "a\x7F"})
        EXPECT_EQ(parse(macro).result, QZX_ERROR_SPECIAL_CHARACTER);
}

} // namespace
} // namespace qzx::keysend
