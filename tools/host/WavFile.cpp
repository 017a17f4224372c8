#include "tools/host/WavFile.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace quilhost {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t little32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t little16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void putTag(std::vector<std::uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

float decodeSample(const std::uint8_t* p, std::uint16_t format, std::uint16_t bits) {
    if (format == kFormatFloat) {
        if (bits == 32) {
            float value;
            std::memcpy(&value, p, 4);
            return value;
        }
        double value;
        std::memcpy(&value, p, 8);
        return static_cast<float>(value);
    }
    switch (bits) {
    case 8: return (p[0] - 128) / 128.0f;
    case 16: return static_cast<std::int16_t>(little16(p)) / 32768.0f;
    case 24: {
        const std::int32_t value = static_cast<std::int32_t>((p[0] << 8) | (p[1] << 16) | (static_cast<std::uint32_t>(p[2]) << 24)) >> 8;
        return value / 8388608.0f;
    }
    default: return static_cast<float>(static_cast<std::int32_t>(little32(p)) / 2147483648.0);
    }
}

} // namespace

bool readWav(const std::string& path, AudioData& audio, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open '" + path + "'";
        return false;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        error = "'" + path + "' is not a WAVE file";
        return false;
    }
    std::uint16_t format = 0, channels = 0, bits = 0;
    std::uint32_t rate = 0;
    const std::uint8_t* data = nullptr;
    std::size_t dataSize = 0;
    // Walk the chunks; every size is checked against what is left of the file.
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint8_t* chunk = bytes.data() + at;
        const std::size_t size = little32(chunk + 4);
        const std::size_t available = bytes.size() - at - 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16 && size <= available) {
            format = little16(chunk + 8);
            channels = little16(chunk + 10);
            rate = little32(chunk + 12);
            bits = little16(chunk + 22);
            if (format == kFormatExtensible && size >= 40) format = little16(chunk + 32);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            data = chunk + 8;
            dataSize = std::min(size, available);  // tolerate a data size written before the end was known
        }
        if (size > available) break;
        at += 8 + size + (size & 1);
    }
    const bool supported = (format == kFormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) ||
                           (format == kFormatFloat && (bits == 32 || bits == 64));
    if (!supported || channels == 0 || rate == 0) {
        error = "'" + path + "' has an unsupported sample format (PCM 8/16/24/32 or float 32/64 expected)";
        return false;
    }
    if (!data) {
        error = "'" + path + "' has no data chunk";
        return false;
    }
    const std::size_t frameBytes = static_cast<std::size_t>(channels) * (bits / 8);
    const std::size_t frames = dataSize / frameBytes;
    audio.sampleRate = rate;
    audio.channels.assign(channels, std::vector<float>(frames));
    for (std::size_t f = 0; f < frames; ++f) {
        for (std::size_t c = 0; c < channels; ++c)
            audio.channels[c][f] = decodeSample(data + f * frameBytes + c * (bits / 8), format, bits);
    }
    return true;
}

bool writeWav(const std::string& path, const AudioData& audio, std::string& error) {
    const std::uint16_t channels = static_cast<std::uint16_t>(audio.channelCount());
    const std::uint32_t frames = static_cast<std::uint32_t>(audio.frames());
    const std::uint32_t rate = static_cast<std::uint32_t>(audio.sampleRate + 0.5);
    const std::uint32_t dataSize = frames * channels * 4;
    std::vector<std::uint8_t> out;
    out.reserve(58 + dataSize);
    putTag(out, "RIFF");
    put32(out, 50 + dataSize);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 18);
    put16(out, kFormatFloat);
    put16(out, channels);
    put32(out, rate);
    put32(out, rate * channels * 4);
    put16(out, static_cast<std::uint16_t>(channels * 4));
    put16(out, 32);
    put16(out, 0);
    putTag(out, "fact");
    put32(out, 4);
    put32(out, frames);
    putTag(out, "data");
    put32(out, dataSize);
    for (std::uint32_t f = 0; f < frames; ++f) {
        for (std::uint16_t c = 0; c < channels; ++c) {
            std::uint32_t bits;
            std::memcpy(&bits, &audio.channels[c][f], 4);
            put32(out, bits);
        }
    }
    std::ofstream file(path, std::ios::binary);
    if (!file || !file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()))) {
        error = "cannot write '" + path + "'";
        return false;
    }
    return true;
}

} // namespace quilhost
