// ASC spectrum files: any text decodes, and what is stored fits the spectrum.
#include <cstdint>
#include <string_view>

#include "spectrum/asc_file.h"
#include "spectrum/spectrum.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qzx::AscContents contents =
        qzx::decodeAscFile(std::string_view(reinterpret_cast<const char*>(data), size));
    qzx::Spectrum spectrum;
    qzx::storeAscContents(contents, "fuzz.asc", spectrum);
    if (spectrum.peakCount() < 0 || spectrum.peakCount() > 300) __builtin_trap();
    qzx::encodeAscFile(spectrum);
    return 0;
}
