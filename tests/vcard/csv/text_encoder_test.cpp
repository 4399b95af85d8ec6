// The output encodings: the names a caller can check, code pages through ICU, the count of
// characters a code page lacks.
#include "vcard/csv/text_encoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brimwell::vcard::csv {
namespace {

TEST(text_encoder_test, knows_the_names_icu_knows_and_offers_the_default_first)
{
    const std::pair<const char*, bool> names[] = {
        {"utf-8-bom", true}, {"UTF-8-BOM", true}, {"UTF8", true},          {"Windows-1250", true},
        {"", false},         {"klingon", false},  {"windows-99999", false}};
    for (const auto& [name, known] : names)
        EXPECT_EQ(isKnownEncoding(name), known) << '"' << name << '"';

    const std::vector<std::string> offered = encodingNames();
    ASSERT_GE(offered.size(), 3u);
    EXPECT_EQ(std::vector(offered.begin(), offered.begin() + 3),
              (std::vector<std::string>{"utf-8-bom", "utf-8", "windows-1252"}));
    for (const std::string& name : offered)
        EXPECT_TRUE(isKnownEncoding(name)) << name;
}

TEST(text_encoder_test, gives_the_bytes_and_counts_the_losses)
{
    struct Case {
        const char* encoding;
        std::vector<std::string_view> blocks;  ///< the UTF-8 text, encoded block by block
        std::string_view bytes;
        std::size_t unmappable;
    };
    const Case cases[] = {{"utf-8", {"Zoë 山田 😀"}, "Zoë 山田 😀", 0},
                          {"utf-8-bom", {"Zoë"}, "Zoë", 0},  // the mark is the writer's
                          {"windows-1252", {"€ – “x”"}, "\x80 \x96 \x93x\x94", 0},
                          {"windows-1252", {"Ζωή"}, "???", 3},
                          {"windows-1252", {"a😀b"}, "a?b", 1},  // an astral character is one
                          {"windows-1252", {"Ａ"}, "?", 1},     // no look-alike for full-width
                          {"windows-1252", {"Ω1", "Ω2"}, "?1?2", 2},
                          {"iso-8859-15", {"€"}, "\xA4", 0},
                          {"shift_jis", {"山田"}, "\x8E\x52\x93\x63", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.encoding) + " " + std::string(c.blocks[0]));
        TextEncoder encoder(c.encoding);
        std::string bytes;
        for (const std::string_view block : c.blocks)
            encoder.encode(block, bytes);
        encoder.finish(bytes);
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(encoder.unmappableCount(), c.unmappable);
    }
}

}  // namespace
}  // namespace brimwell::vcard::csv
