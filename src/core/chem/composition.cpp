#include "chem/composition.h"

#include "chem/element_table.h"

namespace qzx {

std::string compositionText(const Composition& composition, bool writeOnes) {
    std::string text;
    for (int element = 1; element <= kElementCount; ++element) {
        const std::int32_t n = composition[element];
        if (n <= 0) continue;
        text += elementSymbol(element);
        if (n != 1 || writeOnes) text += std::to_string(n);
        text += ' ';
    }
    return text;
}

} // namespace qzx
