// Text conversions at the boundary: bounded, terminated, never splitting a character.
#include "adapters/vst3/base/Utf16.h"

#include <gtest/gtest.h>

#include <string>

using namespace vst3;

TEST(Vst3Text, Utf8ToUtf16) {
    const struct {
        const char* utf8;
        std::size_t capacity;
        std::u16string expected;
    } cases[] = {
        {"Feedback", 128, u"Feedback"},
        {"\xC3\xA9t\xC3\xA9", 128, u"\u00E9t\u00E9"},
        {"\xF0\x9F\x8E\xB8!", 128, u"\U0001F3B8!"},
        {"abcdef", 4, u"abc"},                     // truncated, terminated
        {"a\xF0\x9F\x8E\xB8", 3, u"a"},            // the pair does not fit: dropped whole
        {"x\xFFy", 128, u"x\uFFFDy"},              // stray byte
        {"\xC0\xAF", 128, u"\uFFFD"},              // overlong form
        {"\xED\xA0\x80", 128, u"\uFFFD"},          // encoded surrogate
        {"\xE2\x82", 128, u"\uFFFD"},              // cut short at the end
        {nullptr, 128, u""},
    };
    for (const auto& c : cases) {
        char16 out[128];
        std::fill(std::begin(out), std::end(out), u'#');
        copyUtf8ToUtf16(out, c.capacity, c.utf8);
        EXPECT_EQ(std::u16string(out), c.expected) << (c.utf8 ? c.utf8 : "(null)");
    }
}

TEST(Vst3Text, Utf16ToUtf8) {
    const struct {
        std::u16string utf16;
        std::size_t capacity;
        std::string expected;
    } cases[] = {
        {u"Reaper", 128, "Reaper"},
        {u"\u00E9", 128, "\xC3\xA9"},
        {u"\U0001F3B8", 128, "\xF0\x9F\x8E\xB8"},
        {u"a\u00E9", 3, "a"},             // the two-byte character does not fit
        {u"x\xD800y", 128, "x\xEF\xBF\xBDy"},  // unpaired surrogate
    };
    for (const auto& c : cases) {
        char out[128];
        copyUtf16ToUtf8(out, c.capacity, c.utf16.c_str(), 128);
        EXPECT_EQ(std::string(out), c.expected);
    }
    // A source that is not terminated within its units stops at the bound.
    const char16 unterminated[3] = {u'a', u'b', u'c'};
    char out[8];
    copyUtf16ToUtf8(out, sizeof out, unterminated, 2);
    EXPECT_STREQ(out, "ab");
}

TEST(Vst3Text, FixedFieldsAreTruncatedAndZeroFilled) {
    char field[8];
    std::fill(std::begin(field), std::end(field), 'x');
    copyToField(field, sizeof field, "Fen");
    EXPECT_EQ(std::string(field, sizeof field), std::string("Fen\0\0\0\0\0", 8));
    copyToField(field, sizeof field, "FenwoxQuil");
    EXPECT_EQ(std::string(field, sizeof field), std::string("FenwoxQ\0", 8));
    copyToField(field, sizeof field, nullptr);
    EXPECT_EQ(std::string(field, sizeof field), std::string(8, '\0'));
}
