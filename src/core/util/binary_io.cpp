#include "util/binary_io.h"

#include <bit>
#include <cstring>

namespace qzx {

void LittleEndianWriter::writeInt32(std::int32_t value) {
    const auto word = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        m_bytes.push_back(static_cast<std::uint8_t>(word >> shift));
}

void LittleEndianWriter::writeFloat(float value) {
    writeInt32(static_cast<std::int32_t>(std::bit_cast<std::uint32_t>(value)));
}

bool LittleEndianReader::readWord(std::uint32_t& word) {
    if (remaining() < 4) return false;
    word = 0;
    for (int i = 3; i >= 0; --i)
        word = (word << 8) | m_bytes[m_position + i];
    m_position += 4;
    return true;
}

bool LittleEndianReader::readInt32(std::int32_t& value) {
    std::uint32_t word = 0;
    if (!readWord(word)) return false;
    value = static_cast<std::int32_t>(word);
    return true;
}

bool LittleEndianReader::readFloat(float& value) {
    std::uint32_t word = 0;
    if (!readWord(word)) return false;
    value = std::bit_cast<float>(word);
    return true;
}

} // namespace qzx
