// JCAMP-DX mass spectra: any text decodes to peaks or a message, never both and never
// neither; what is read writes and reads back as the same peaks; and the same text read as
// any spectrum format ends.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "spectrum/jcamp_dx.h"
#include "spectrum/spectrum_formats.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const qzx::JcampDxContents contents = qzx::decodeJcampDx(text);
    if (contents.error.empty() == contents.peaks.empty()) __builtin_trap();
    for (std::size_t i = 0; i < contents.peaks.size(); ++i) {
        const qzx::Peak& peak = contents.peaks[i];
        if (!std::isfinite(peak.Mass) || !std::isfinite(peak.Abundance)) __builtin_trap();
        if (i > 0 && peak.Mass < contents.peaks[i - 1].Mass) __builtin_trap();
    }
    if (!contents.peaks.empty()) {
        const qzx::JcampDxContents again =
            qzx::decodeJcampDx(qzx::encodeJcampDx(contents.peaks, contents.title));
        if (again.peaks != contents.peaks) __builtin_trap();
    }
    for (const qzx::SpectrumFormat format : {qzx::SpectrumFormat::Msp, qzx::SpectrumFormat::Text})
        qzx::decodeSpectrumText(text, format, size % 2 == 0 ? "" : "2");
    return 0;
}
