// Output encodings: the byte-order mark, code pages through ICU, the count of characters a
// code page lacks, and the names a caller can check before writing.
#include "vcard/csv/text_encoder.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace brimwell::vcard::csv {
namespace {

struct NameCase {
    const char* name;
    bool known;
};

const NameCase kNameCases[] = {
    {"utf-8-bom", true},      {"UTF-8-BOM", true},
    {"utf-8", true},          {"UTF8", true},
    {"windows-1252", true},   {"Windows-1250", true},
    {"iso-8859-15", true},    {"shift_jis", true},
    {"macintosh", true},      {"", false},
    {"klingon", false},       {"utf-9", false},
    {"windows-99999", false},
};

TEST(text_encoder_test, knows_the_names_icu_knows)
{
    for (const NameCase& c : kNameCases)
        EXPECT_EQ(isKnownEncoding(c.name), c.known) << '"' << c.name << '"';
}

TEST(text_encoder_test, offers_known_names_with_the_default_first)
{
    const std::vector<std::string> names = encodingNames();
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[0], "utf-8-bom");
    EXPECT_EQ(names[1], "utf-8");
    EXPECT_EQ(names[2], "windows-1252");
    for (const std::string& name : names)
        EXPECT_TRUE(isKnownEncoding(name)) << name;
}

struct EncodeCase {
    const char* name;
    const char* encoding;
    std::string_view utf8;
    std::string_view bytes;
    std::size_t unmappable;
};

const EncodeCase kEncodeCases[] = {
    {"utf8 unchanged", "utf-8", "Zoë 山田 😀", "Zoë 山田 😀", 0},
    {"utf8 bom text unchanged", "utf-8-bom", "Zoë", "Zoë", 0},
    {"cp1252 latin", "windows-1252", "Zoë Ångström", "Zo\xEB \xC5ngstr\xF6m", 0},
    {"cp1252 euro and dashes", "windows-1252", "€ – “x”", "\x80 \x96 \x93x\x94", 0},
    {"cp1252 lacks greek", "windows-1252", "Ζωή", "???", 3},
    {"cp1252 astral is one character", "windows-1252", "a😀b", "a?b", 1},
    {"cp1252 no look-alike for full-width", "windows-1252", "Ａ", "?", 1},
    {"cp1252 ascii with breaks", "windows-1252", "a,\"b\"\r\n", "a,\"b\"\r\n", 0},
    {"latin-9 euro", "iso-8859-15", "€", "\xA4", 0},
    {"shift_jis", "shift_jis", "山田", "\x8E\x52\x93\x63", 0},
    {"cp1251 cyrillic", "windows-1251", "Иван", "\xC8\xE2\xE0\xED", 0},
};

class EncodeTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTest, gives_the_bytes_and_counts_the_losses)
{
    const EncodeCase& c = GetParam();
    TextEncoder encoder(c.encoding);
    std::string bytes;
    encoder.encode(c.utf8, bytes);
    encoder.finish(bytes);
    EXPECT_EQ(bytes, c.bytes);
    EXPECT_EQ(encoder.unmappableCount(), c.unmappable);
}

INSTANTIATE_TEST_SUITE_P(text_encoder_test, EncodeTest, ::testing::ValuesIn(kEncodeCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(text_encoder_test, counts_over_several_blocks)
{
    TextEncoder encoder("windows-1252");
    std::string bytes;
    encoder.encode("Ω1", bytes);
    encoder.encode("Ω2", bytes);
    encoder.finish(bytes);
    EXPECT_EQ(bytes, "?1?2");
    EXPECT_EQ(encoder.unmappableCount(), 2u);
}

TEST(text_encoder_test, refuses_an_unknown_name)
{
    try {
        TextEncoder encoder("klingon");
        FAIL() << "no exception";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "unknown encoding: klingon");
    }
}

}  // namespace
}  // namespace brimwell::vcard::csv
