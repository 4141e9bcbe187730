#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qzx {

using Bytes = std::vector<std::uint8_t>;

/// Appends 4-byte little-endian items to a byte buffer.
class LittleEndianWriter {
public:
    void writeInt32(std::int32_t value);
    void writeFloat(float value);
    const Bytes& bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
};

/// Reads 4-byte little-endian items from a byte buffer; never reads past its end.
class LittleEndianReader {
public:
    explicit LittleEndianReader(const Bytes& bytes) : m_bytes(bytes) {}
    /// False when fewer than 4 bytes remain; the value is then left unchanged.
    bool readInt32(std::int32_t& value);
    bool readFloat(float& value);
    std::size_t position() const { return m_position; }
    std::size_t remaining() const { return m_bytes.size() - m_position; }

private:
    bool readWord(std::uint32_t& word);
    const Bytes& m_bytes;
    std::size_t m_position = 0;
};

} // namespace qzx
