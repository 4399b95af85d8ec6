#include "vcard/charset.h"

#include <gtest/gtest.h>

#include <string>

namespace brimwell::vcard {
namespace {

TEST(charset_test, utf8_validity)
{
    const struct {
        const char* name;
        std::string bytes;
        bool valid;
    } cases[] = {
        {"ascii", "plain ASCII text, longer than eight bytes", true},
        {"two bytes", "\xC3\xA9", true},
        {"three bytes", "\xE2\x82\xAC", true},
        {"four bytes", "\xF0\x9F\x98\x80", true},
        {"overlong two", "\xC0\xAF", false},
        {"overlong three", "\xE0\x80\xAF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false},
        {"cut at the end", "abcdefgh\xE2\x82", false},
        {"nul is valid", std::string("a\0b", 3), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid);
    }
}

// The code pages of the corpus and of the address books that write 2.1 cards.
TEST(charset_test, every_code_page_decodes_to_utf8)
{
    const struct {
        const char* charset;
        std::string bytes;
        const char* utf8;
    } cases[] = {
        {"SHIFT_JIS", "\x83\x5C\x93\xFA", "\xE3\x82\xBD\xE6\x97\xA5"},  // 0x5C as a second byte
        {"Shift_JIS", "\xB1", "\xEF\xBD\xB1"},                          // half-width katakana
        {"GBK", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},
        {"KOI8-R", "\xF0\xD2\xC9", "\xD0\x9F\xD1\x80\xD0\xB8"},
        {"Windows-1252", "\x80\xE9", "\xE2\x82\xAC\xC3\xA9"},
        {"windows-1255", "\xF9", "\xD7\xA9"},
        {"utf-8", "a\x80z", "a\xEF\xBF\xBDz"},  // a byte that is not UTF-8 is U+FFFD
    };
    CharsetDecoder decoder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.charset);
        std::string out;
        EXPECT_TRUE(decoder.decode(c.bytes, c.charset, out));
        EXPECT_EQ(out, c.utf8);
    }
}

TEST(charset_test, fallback_and_unknown_charsets)
{
    CharsetDecoder decoder;
    std::string out;
    decoder.appendUtf8("Caf\xC3\xA9", out);
    EXPECT_EQ(out, "Caf\xC3\xA9") << "valid UTF-8 stays";
    out.clear();
    decoder.appendUtf8("Caf\xE9", out);
    EXPECT_EQ(out, "Caf\xC3\xA9") << "else Windows-1252";
    out.clear();
    EXPECT_FALSE(decoder.decode("Caf\xE9", "X-NO-SUCH-SET", out));
    EXPECT_EQ(out, "Caf\xC3\xA9") << "an unknown CHARSET decodes as the fallback";
    out.clear();
    EXPECT_TRUE(decoder.decode("\x81", "windows-1252", out));
    EXPECT_TRUE(isValidUtf8(out));

    CharsetDecoder cyrillic("KOI8-R");
    out.clear();
    cyrillic.appendUtf8("\xF0\xD2\xC9", out);
    EXPECT_EQ(out, "\xD0\x9F\xD1\x80\xD0\xB8");
    EXPECT_THROW(CharsetDecoder("X-NO-SUCH-SET"), std::invalid_argument);
}

}  // namespace
}  // namespace brimwell::vcard
