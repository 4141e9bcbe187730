#include "chem/formula_text.h"

#include <cctype>
#include <string>

#include <gtest/gtest.h>

#include "chem/composition.h"
#include "chem/element_table.h"

namespace qzx {
namespace {

/// The non-zero counts of a composition as "symbol:count" words in element order.
std::string counts(const Composition& composition) {
    std::string text;
    for (int element = 1; element <= kElementCount; ++element)
        if (composition[element] != 0)
            text += std::string(elementSymbol(element)) + ':' +
                    std::to_string(composition[element]) + ' ';
    return text;
}

struct Case {
    const char* input;
    const char* text;   ///< the text afterwards: normalised, or "Err"
    const char* counts; ///< as `counts` prints them
};

TEST(ParseFormulaText, ReadsTextsAsChemistsTypeThem) {
    const Case cases[] = {
        {"C6 H12 O6", "C6 H12 O6 ", "C:6 H:12 O:6 "},
        {"cl2 c6 h", "Cl2 C6 H ", "C:6 H:1 Cl:2 "},
        {"C2 H6 \t\r\n", "C2 H6 ", "C:2 H:6 "}, // trailing white space is stripped first
        // A tab (or a line break) between words is a separator like a blank.
        {"c6\th6", "C6 H6 ", "C:6 H:6 "},
        {"C6\tH12\r\nO6", "C6 H12 O6 ", "C:6 H:12 O:6 "},
        {"C\tH4", "C H4 ", "C:1 H:4 "},
        {"  ,C2;  (H6)", "C2; H6) ", "C:2 H:6 "}, // punctuation between words is skipped
        // Two-character symbols win over a one-letter symbol.
        {"c o", "C O ", "C:1 O:1 "},
        {"co", "Co ", "Co:1 "},
        {"OS", "Os ", "Os:1 "},
        {"Cl", "Cl ", "Cl:1 "},
        {"CL2", "Cl2 ", "Cl:2 "},
        {"C*6 H6", "C*6 H6 ", "H:6 C*:6 "},
        {"Y2 O3", "Y2 O3 ", "O:3 Y:2 "},
        // Letters without a row are found by the one-character search; others are skipped.
        {"K2 O", "K2 O ", "O:1 K:2 "},
        {"v w u", "V W U ", "V:1 W:1 U:1 "},
        {"J Q2 X C", "C ", "C:1 "},
        // Counts: last occurrence wins, leading integer of the word, junk swallowed.
        {"C2 H6 C3", "C2 H6 C3 ", "C:3 H:6 "},
        {"C6H6", "C6H6 ", "C:6 "},
        {"C-2 H0", "C-2 H0 ", "C:-2 "},
        {"C+4 N5", "C+4 N5 ", "C:4 N:5 "},
        {"C99999999999", "C99999999999 ", "C:2147483647 "},
        {"C-99999999999", "C-99999999999 ", "C:-2147483648 "},
        // Nothing readable.
        {"", "", ""},
        {"123 ,;-+ 45", "", ""},
        {"@@!", "", ""},
    };
    for (const Case& c : cases) {
        Composition composition;
        composition.count.fill(7); // the reader must clear it
        std::string text = c.input;
        int beeps = 0;
        ParseFormulaText(composition, text, [&] { ++beeps; });
        EXPECT_EQ(text, c.text) << c.input;
        EXPECT_EQ(counts(composition), c.counts) << c.input;
        EXPECT_EQ(composition[0], 0) << c.input;
        EXPECT_EQ(beeps, 0) << c.input;
    }
}

TEST(ParseFormulaText, ALetterOrANonNumberAfterASymbolIsAnErrorKeepingEarlierCounts) {
    const Case cases[] = {
        {"NO", "Err", ""},
        {"KO", "Err", ""},
        {"CH4", "Err", ""},
        {"C6 H6 CN", "Err", "C:6 H:6 "},
        // A letter that only starts two-character symbols names nothing on its own.
        {"A2", "Err", ""},
        {"ZX", "Err", ""},
        {"m g", "Err", ""},
        {"C2 E", "Err", "C:2 "},
        // A count that does not start with a number is not silently no atoms.
        {"C@6", "Err", ""},
        {"C6 H#", "Err", "C:6 "},
        {"C+4 N-", "Err", "C:4 "},
        {"O.5", "Err", ""},
        {"H*", "Err", ""}, // '*' completes only C*, N*, O*
    };
    for (const Case& c : cases) {
        Composition composition;
        std::string text = c.input;
        int beeps = 0;
        ParseFormulaText(composition, text, [&] { ++beeps; });
        EXPECT_EQ(text, c.text) << c.input;
        EXPECT_EQ(counts(composition), c.counts) << c.input;
        EXPECT_EQ(beeps, 1) << c.input;
    }
    Composition composition;
    std::string text = "NO";
    ParseFormulaText(composition, text); // no callback: reported through the text only
    EXPECT_EQ(text, "Err");
}

TEST(ParseFormulaText, EverySymbolReadsAsItsOwnElement) {
    for (int element = 1; element <= kElementCount; ++element) {
        const std::string symbol = elementSymbol(element);
        std::string lower = symbol;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (const std::string& typed : {symbol, lower}) {
            Composition composition;
            std::string text = typed + "3";
            ParseFormulaText(composition, text);
            EXPECT_EQ(text, symbol + "3 ") << typed;
            EXPECT_EQ(counts(composition), symbol + ":3 ") << typed;
        }
    }
}

TEST(CompositionText, PrintsInElementOrderAndReadsBack) {
    Composition nitrobenzene; // filled out of order on purpose
    nitrobenzene[4] = 2, nitrobenzene[3] = 1, nitrobenzene[2] = 5, nitrobenzene[1] = 6; // O N H C
    EXPECT_EQ(compositionText(nitrobenzene), "C6 H5 N O2 ");
    EXPECT_EQ(compositionText(nitrobenzene, true), "C6 H5 N1 O2 ");
    Composition odd;                      // zero and negative counts are not printed
    odd[1] = 0, odd[2] = -1, odd[12] = 1; // C, H, D
    EXPECT_EQ(compositionText(odd), "D ");

    Composition all;
    for (int element = 1; element <= kElementCount; ++element)
        all[element] = element % 4 + 1;
    for (bool writeOnes : {false, true}) {
        std::string text = compositionText(all, writeOnes);
        Composition read;
        ParseFormulaText(read, text);
        EXPECT_EQ(read, all) << writeOnes;
    }
}

} // namespace
} // namespace qzx
