#include "adapters/vst3/base/Utf16.h"

#include <cstring>

namespace vst3 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 character starting at `text`, advancing it; overlong forms, surrogates and
// truncated sequences decode as the replacement character.
char32_t decodeUtf8(const unsigned char*& text) {
    const unsigned char lead = *text++;
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, code = lead & 0x07, minimum = 0x10000;
    } else {
        return kReplacement;
    }
    for (int i = 0; i < extra; ++i) {
        if ((*text & 0xC0) != 0x80) return kReplacement;
        code = (code << 6) | (*text++ & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return kReplacement;
    return code;
}

std::size_t encodeUtf8(char32_t code, char* out) {
    if (code < 0x80) {
        out[0] = static_cast<char>(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = static_cast<char>(0xC0 | (code >> 6));
        out[1] = static_cast<char>(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (code >> 12));
        out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (code & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (code >> 18));
    out[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (code & 0x3F));
    return 4;
}

} // namespace

void copyUtf8ToUtf16(char16* dest, std::size_t capacity, const char* source) {
    if (!dest || capacity == 0) return;
    std::size_t used = 0;
    const unsigned char* text = reinterpret_cast<const unsigned char*>(source ? source : "");
    while (*text) {
        const char32_t code = decodeUtf8(text);
        const std::size_t units = code >= 0x10000 ? 2 : 1;
        if (used + units >= capacity) break;
        if (units == 2) {
            dest[used++] = static_cast<char16>(0xD800 + ((code - 0x10000) >> 10));
            dest[used++] = static_cast<char16>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            dest[used++] = static_cast<char16>(code);
        }
    }
    dest[used] = 0;
}

void copyUtf16ToUtf8(char* dest, std::size_t capacity, const char16* source, std::size_t sourceUnits) {
    if (!dest || capacity == 0) return;
    std::size_t used = 0;
    for (std::size_t i = 0; source && i < sourceUnits && source[i]; ++i) {
        char32_t code = source[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < sourceUnits && source[i + 1] >= 0xDC00 &&
            source[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (source[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = kReplacement;
        }
        char bytes[4];
        const std::size_t length = encodeUtf8(code, bytes);
        if (used + length >= capacity) break;
        std::memcpy(dest + used, bytes, length);
        used += length;
    }
    dest[used] = 0;
}

std::string toUtf8(const char16* source, std::size_t sourceUnits) {
    // Each unit becomes at most three bytes (a surrogate pair, two units, four).
    std::string text(utf16Length(source, sourceUnits) * 3 + 1, '\0');
    copyUtf16ToUtf8(text.data(), text.size(), source, sourceUnits);
    text.resize(std::strlen(text.c_str()));
    return text;
}

void copyToField(char* field, std::size_t size, const char* source) {
    if (!field || size == 0) return;
    std::memset(field, 0, size);
    if (!source) return;
    const std::size_t length = strnlen(source, size - 1);
    std::memcpy(field, source, length);
}

std::size_t utf16Length(const char16* text, std::size_t maxUnits) {
    std::size_t length = 0;
    while (text && length < maxUnits && text[length]) ++length;
    return length;
}

} // namespace vst3
