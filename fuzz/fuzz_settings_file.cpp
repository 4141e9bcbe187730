// QZXPRO.INI: any text reads into settings without fault.
#include <cstdint>
#include <string>

#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const qzx::Settings settings = qzx::settingsFromIniText(text);
    (void)settings;
    return 0;
}
