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
        {"lone continuation", "\x80", false},
        {"overlong two", "\xC0\xAF", false},
        {"overlong three", "\xE0\x80\xAF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false},
        {"cut at the end", "abcdefgh\xE2\x82", false},
        {"windows-1252 byte", "Caf\xE9", false},
        {"nul is valid", std::string("a\0b", 3), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid);
    }
}

// The code pages of the corpus and of the address books that write 2.1 cards.
// The check goes a word at a time with an overlapping last word: a byte past 0x7F must be
// seen wherever it sits, whatever the length.
TEST(charset_test, a_non_ascii_byte_anywhere)
{
    for (std::size_t length = 1; length <= 20; ++length) {
        const std::string ascii(length, 'a');
        EXPECT_TRUE(isValidUtf8(ascii)) << length;
        for (std::size_t at = 0; at < length; ++at) {
            std::string broken = ascii;
            broken[at] = '\x80';
            EXPECT_FALSE(isValidUtf8(broken)) << length << " at " << at;
            if (at + 1 < length) {
                std::string accented = ascii;
                accented[at] = '\xC3';
                accented[at + 1] = '\xA9';
                EXPECT_TRUE(isValidUtf8(accented)) << length << " at " << at;
            }
        }
    }
}

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
        {"Big5", "\xA4\xA4\xA4\xE5", "\xE4\xB8\xAD\xE6\x96\x87"},
        {"EUC-KR", "\xC7\xD1\xB1\xDB", "\xED\x95\x9C\xEA\xB8\x80"},
        {"KOI8-R", "\xF0\xD2\xC9", "\xD0\x9F\xD1\x80\xD0\xB8"},
        {"ISO-8859-1", "Caf\xE9", "Caf\xC3\xA9"},
        {"ISO-8859-5", "\xBF", "\xD0\x9F"},
        {"ISO-8859-7", "\xE1", "\xCE\xB1"},
        {"Windows-1251", "\xCF\xF0", "\xD0\x9F\xD1\x80"},
        {"Windows-1252", "\x80\xE9", "\xE2\x82\xAC\xC3\xA9"},
        {"Windows-1253", "\xE1", "\xCE\xB1"},
        {"windows-1255", "\xF9", "\xD7\xA9"},
        {"UTF-8", "\xC3\xA9", "\xC3\xA9"},
        {"utf-8", "a\x80z", "a\xEF\xBF\xBDz"},  // a byte that is not UTF-8 is U+FFFD
        {"us-ascii", "plain", "plain"},
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
