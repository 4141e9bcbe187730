// Formula text as typed into the windows.
#include <cstdint>
#include <string>

#include "chem/composition.h"
#include "chem/formula_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    qzx::Composition composition;
    qzx::ParseFormulaText(composition, text);
    if (composition[0] != 0) __builtin_trap();
    return 0;
}
