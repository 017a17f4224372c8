#include "tools/host/vst2/FxpProgram.h"

#include "adapters/vst2/api/Vst2Abi.h"

#include <cstring>

namespace quilhost {
namespace {

constexpr std::int32_t kChunkMagic = vst2::FourCC('C', 'c', 'n', 'K');
constexpr std::int32_t kProgramMagic = vst2::FourCC('F', 'x', 'C', 'k');
constexpr std::size_t kHeaderSize = 56;
constexpr std::size_t kNameOffset = 28;
constexpr std::size_t kNameSize = 28;

void putWord(std::vector<std::uint8_t>& bytes, std::uint32_t word) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(word >> shift));
}

std::uint32_t wordAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i) word = (word << 8) | bytes[offset + i];
    return word;
}

} // namespace

std::vector<std::uint8_t> writeFxp(const FxpProgram& program) {
    std::vector<std::uint8_t> bytes;
    const std::size_t size = kHeaderSize + 4 * program.values.size();
    putWord(bytes, kChunkMagic);
    putWord(bytes, static_cast<std::uint32_t>(size - 8));
    putWord(bytes, kProgramMagic);
    putWord(bytes, 1);
    putWord(bytes, static_cast<std::uint32_t>(program.uniqueId));
    putWord(bytes, static_cast<std::uint32_t>(program.version));
    putWord(bytes, static_cast<std::uint32_t>(program.values.size()));
    char name[kNameSize] = {};
    std::strncpy(name, program.name.c_str(), kNameSize - 1);
    bytes.insert(bytes.end(), name, name + kNameSize);
    for (float value : program.values) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        putWord(bytes, bits);
    }
    return bytes;
}

bool readFxp(const std::vector<std::uint8_t>& bytes, FxpProgram& program, std::string& error) {
    if (bytes.size() < kHeaderSize || wordAt(bytes, 0) != static_cast<std::uint32_t>(kChunkMagic) ||
        wordAt(bytes, 8) != static_cast<std::uint32_t>(kProgramMagic)) {
        error = "not a parameter-list program file (.fxp with 'FxCk')";
        return false;
    }
    const std::uint32_t count = wordAt(bytes, 24);
    if (count > (bytes.size() - kHeaderSize) / 4) {
        error = "the program file announces " + std::to_string(count) + " parameters but holds fewer";
        return false;
    }
    program.uniqueId = static_cast<std::int32_t>(wordAt(bytes, 16));
    program.version = static_cast<std::int32_t>(wordAt(bytes, 20));
    const char* name = reinterpret_cast<const char*>(bytes.data() + kNameOffset);
    program.name.assign(name, strnlen(name, kNameSize));
    program.values.clear();
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t bits = wordAt(bytes, kHeaderSize + 4 * i);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        program.values.push_back(value);
    }
    return true;
}

} // namespace quilhost
