#pragma once

#include <string>

namespace qzx {

/// One text of a printed page, at printer pixels, as the program's printouts lay them out.
struct PrintLine {
    enum class Font {
        Title,   ///< "Times New Roman" 12 point bold
        Heading, ///< "Times New Roman" 11 point bold, underlined
        Body     ///< "Courier New" 11 point
    };
    int page = 1;
    int x = 0;
    int y = 0;
    std::string text;
    Font font = Font::Body;
};

} // namespace qzx
