#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "textio/byte_spool.h"
#include "textio/file_error.h"
#include "textio/text_reader.h"

namespace brimwell {
namespace {

// The pieces of a stream, joined, are the whole text the one-read reader gives, whatever
// the block size, for every encoding a file can have.
TEST(TextStream, pieces_join_to_the_whole_text)
{
    test::TempDir dir;
    const std::string plain = "BEGIN:VCARD\r\nFN:Zo\xe9\r\nEND:VCARD\r\n";
    const std::vector<std::string> files = {
        dir.write("empty.vcf", ""),
        dir.write("one.vcf", "B"),
        dir.write("plain.vcf", plain),
        dir.write("utf8.vcf",
                  "\xEF\xBB\xBF"
                  "FN:Zo\xC3\xA9\r\n"),
        dir.write("utf16.vcf", std::string("\xFF\xFE"
                                           "F\0N\0:\0\xE9\0",
                                           10)),
        dir.write("mark-only.vcf", "\xEF\xBB\xBF"),
    };
    for (const auto& path : files) {
        const std::string whole = readWholeText(path);
        for (const std::size_t block : {1, 2, 3, 7, 64}) {
            SCOPED_TRACE(path + " in blocks of " + std::to_string(block));
            TextStream stream(path, block);
            // A reused buffer's old characters must not show through.
            std::string buffer(3, '#');
            std::size_t used = 0;
            std::size_t pieces = 0;
            while (const std::size_t piece = stream.readNext(buffer, used)) {
                used += piece;
                ++pieces;
            }
            EXPECT_EQ(buffer.substr(0, used), whole);
            EXPECT_EQ(pieces == 0, whole.empty());
            EXPECT_EQ(stream.readNext(buffer, used), 0u);  // the end stays the end
        }
    }
    EXPECT_THROW(TextStream(dir.file("missing.vcf")), FileError);
    EXPECT_THROW(TextStream(dir.path().string()), FileError);  // a folder opens, but cannot be read
}

// The bytes come back in order, whether they stayed in memory or went through the
// temporary file (an append larger than a block, appends after it, appends after a replay).
TEST(ByteSpool, gives_back_every_byte_in_order)
{
    const std::vector<std::string> small = {"", "Lee,Ann\r\n", std::string("a\0b\nc\r\n", 7)};
    std::vector<std::string> large = small;
    large.insert(large.begin() + 2, std::string(3 << 20, 'x'));
    large.push_back("last");
    for (const auto& appends : {small, large, std::vector<std::string>{}}) {
        SCOPED_TRACE(appends.size());
        ByteSpool spool;
        std::string expected;
        for (const auto& bytes : appends) {
            spool.append(bytes);
            expected += bytes;
        }
        EXPECT_TRUE(spool.good());
        EXPECT_EQ(spool.size(), expected.size());
        for (const std::string more : {"", "after a replay"}) {
            spool.append(more);
            expected += more;
            std::string back;
            EXPECT_TRUE(spool.replay([&](std::string_view bytes) { back += bytes; }));
            EXPECT_EQ(back, expected);
        }
    }
}

}  // namespace
}  // namespace brimwell
