// Build step: turns data/elements.csv into the two binary element data files that the
// program reads beside itself (QZXPROA.DAT and QZXPROB.DAT).
#include <fstream>
#include <iostream>
#include <sstream>

#include "chem/element_csv.h"
#include "chem/element_data_files.h"
#include "util/safe_file.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_element_files ELEMENTS.CSV OUTPUT_FOLDER\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << argv[1] << ": cannot be opened\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    qzx::ElementTable table;
    if (std::string error = qzx::parseElementCsv(text.str(), table); !error.empty()) {
        std::cerr << argv[1] << ": " << error << "\n";
        return 1;
    }
    const std::filesystem::path folder = argv[2];
    for (const auto& [name, bytes] : {std::pair{"QZXPROA.DAT", qzx::encodeElementFileA(table)},
                                      std::pair{"QZXPROB.DAT", qzx::encodeElementFileB(table)}}) {
        if (std::string error = qzx::writeFileSafely(folder / name, bytes); !error.empty()) {
            std::cerr << error << "\n";
            return 1;
        }
    }
    return 0;
}
