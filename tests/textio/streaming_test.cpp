#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "textio/file_error.h"
#include "textio/record_spool.h"
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
        dir.write("utf8.vcf", "\xEF\xBB\xBF" "FN:Zo\xC3\xA9\r\n"),
        dir.write("utf16.vcf", std::string("\xFF\xFE" "F\0N\0:\0\xE9\0", 10)),
        dir.write("mark-only.vcf", "\xEF\xBB\xBF"),
    };
    for (const auto& path : files) {
        const std::string whole = readWholeText(path);
        for (const std::size_t block : {1, 2, 3, 7, 64}) {
            SCOPED_TRACE(path + " in blocks of " + std::to_string(block));
            TextStream stream(path, block);
            std::string joined;
            std::size_t pieces = 0;
            while (stream.appendNext(joined))
                ++pieces;
            EXPECT_EQ(joined, whole);
            EXPECT_EQ(pieces == 0, whole.empty());
            EXPECT_FALSE(stream.appendNext(joined));  // the end stays the end
        }
    }
    EXPECT_THROW(TextStream(dir.file("missing.vcf")), FileError);
    EXPECT_THROW(TextStream(dir.path().string()), FileError);  // a folder opens, but cannot be read
}

// Records come back whole and in order, whether they stayed in memory or went through the
// temporary file (a record larger than a block, records after it).
TEST(RecordSpool, gives_back_every_record_in_order)
{
    const std::vector<std::string> small = {"", "Lee,Ann", std::string("a\0b\nc\r\n", 7), ""};
    std::vector<std::string> large = small;
    large.insert(large.begin() + 2, std::string(3 << 20, 'x'));
    large.push_back("last");
    for (const auto& records : {small, large, std::vector<std::string>{}}) {
        SCOPED_TRACE(records.size());
        RecordSpool spool;
        for (const auto& record : records)
            spool.append(record);
        EXPECT_TRUE(spool.good());
        EXPECT_EQ(spool.count(), records.size());
        for (int round = 0; round < 2; ++round) {
            std::vector<std::string> back;
            EXPECT_TRUE(spool.replay([&](std::string_view record) { back.emplace_back(record); }));
            EXPECT_EQ(back, records);
        }
    }
}

}  // namespace
}  // namespace brimwell
