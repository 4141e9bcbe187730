// Peak text and NIST library text: any text gives numbers made only of digits and points, and
// a compound search over any text ends.
#include <cstdint>
#include <string_view>

#include "spectrum/peak_text.h"

namespace {

void checkNumbers(const std::vector<std::string>& numbers) {
    for (const std::string& n : numbers) {
        if (n.empty()) __builtin_trap();
        for (char c : n)
            if (!((c >= '0' && c <= '9') || c == '.')) __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkNumbers(qzx::numbersInText(text));
    checkNumbers(qzx::importPeakText(text, static_cast<int>(size % 4)).numbers);
    const std::vector<std::string> names = qzx::mspCompoundNames(text);
    // Look up the first and the last name the text lists, and one it may not hold.
    if (!names.empty()) {
        checkNumbers(qzx::mspCompoundPeaks(text, names.front()).numbers);
        checkNumbers(qzx::mspCompoundPeaks(text, names.back()).numbers);
    }
    checkNumbers(qzx::mspCompoundPeaks(text, "Benzene").numbers);
    return 0;
}
