// The writer: the file's first bytes, rows streamed in blocks, what a code page lacked.
#include "vcard/csv/contact_csv_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "csv_test_support.h"
#include "vcard/csv/google_layout.h"

namespace brimwell::vcard::csv {
namespace {

/// The CSV of `contacts` in `encoding`, and the writer's count of lost characters; without
/// `finish` the writer's destructor ends the file.
std::pair<std::string, std::size_t> write(const std::vector<Contact>& contacts,
                                          std::string_view encoding, bool finish = true)
{
    GoogleLayout layout;
    RowSpool spool = testing::spoolRows(layout, contacts);
    std::ostringstream out;
    std::size_t unmappable = 0;
    {
        ContactCsvWriter writer(out, {}, encoding);
        testing::writeRows(writer, layout, spool);
        if (finish)
            writer.finish();
        unmappable = writer.unmappableCount();
    }
    return {out.str(), unmappable};
}

/// `utf8` with its Latin-1 letters as Windows-1252 bytes (every other byte is ASCII).
std::string asCp1252(std::string_view utf8)
{
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (static_cast<unsigned char>(utf8[i]) == 0xC3)  // U+00C0..U+00FF: one byte in 1252
            bytes.push_back(char(static_cast<unsigned char>(utf8[++i]) + 0x40));
        else
            bytes.push_back(utf8[i]);
    }
    return bytes;
}

TEST(contact_csv_writer_test, many_blocks_lose_no_byte_at_their_edges_and_only_bom_files_mark)
{
    // About 80 bytes a row: 5,000 rows fill several blocks.
    std::vector<Contact> contacts(5000);
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        contacts[i].name.given = "Zoë";
        contacts[i].name.family = "Ångström " + std::to_string(i);
        contacts[i].notes = {"a \"quoted\" note,\nover two lines"};
    }
    const std::string utf8 = write(contacts, "utf-8").first;
    const auto [cp1252, unmappable] = write(contacts, "windows-1252");
    ASSERT_GT(utf8.size(), 4u * 64 * 1024);
    EXPECT_TRUE(utf8.starts_with("First Name,"));
    // Compared as a whole, not printed: a difference would fill the screen.
    EXPECT_TRUE(cp1252 == asCp1252(utf8));
    EXPECT_EQ(unmappable, 0u);
    EXPECT_TRUE(write(contacts, "utf-8-bom").first == "\xEF\xBB\xBF" + utf8);
    EXPECT_TRUE(write(contacts, "windows-1252", false).first == cp1252);
}

TEST(contact_csv_writer_test, counts_what_the_code_page_lacked_and_refuses_an_unknown_one)
{
    Contact contact;
    contact.name.given = "Zoë";
    contact.name.family = "Ωmega";
    contact.notes = {"日本"};
    const auto [csv, unmappable] = write({contact}, "windows-1252");
    EXPECT_EQ(unmappable, 3u);
    EXPECT_NE(csv.find("\r\nZo\xEB,,?mega,"), std::string::npos);
    EXPECT_NE(csv.find(",??,"), std::string::npos);

    std::ostringstream out;
    try {
        ContactCsvWriter writer(out, {}, "klingon");
        ADD_FAILURE() << "no exception";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "unknown encoding: klingon");
    }
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace brimwell::vcard::csv
