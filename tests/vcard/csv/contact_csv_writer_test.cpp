// The writer: the file's first bytes, rows streamed in blocks through the encoder, and the
// count of characters the code page lacked.
#include "vcard/csv/contact_csv_writer.h"

#include <gtest/gtest.h>

#include <sstream>

#include "csv_test_support.h"
#include "vcard/csv/google_layout.h"

namespace brimwell::vcard::csv {
namespace {

Contact zoe(std::size_t number)
{
    Contact c;
    c.name.given = "Zoë";
    c.name.family = "Ångström " + std::to_string(number);
    c.notes = {"a \"quoted\" note,\nover two lines"};
    return c;
}

/// The CSV of `count` contacts in `encoding`, and the writer's count of lost characters.
std::pair<std::string, std::size_t> write(std::size_t count, std::string_view encoding,
                                          bool finish = true)
{
    GoogleLayout layout;
    std::vector<Contact> contacts;
    for (std::size_t i = 0; i < count; ++i)
        contacts.push_back(zoe(i));
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
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead == 0xC3)  // U+00C0..U+00FF: two bytes in UTF-8, one in the code page
            bytes.push_back(char(static_cast<unsigned char>(utf8[++i]) + 0x40));
        else
            bytes.push_back(utf8[i]);
    }
    return bytes;
}

struct PreambleCase {
    const char* encoding;
    std::string_view start;  ///< the file's first bytes
};

TEST(contact_csv_writer_test, only_utf8_bom_files_start_with_the_mark)
{
    const PreambleCase cases[] = {
        {"utf-8-bom",
         "\xEF\xBB\xBF"
         "First Name,"},
        {"utf-8", "First Name,"},
        {"windows-1252", "First Name,"},
    };
    for (const PreambleCase& c : cases) {
        const std::string csv = write(0, c.encoding).first;
        EXPECT_EQ(csv.substr(0, c.start.size()), c.start) << c.encoding;
    }
}

TEST(contact_csv_writer_test, many_blocks_lose_no_byte_at_their_edges)
{
    // About 80 bytes a row: 5,000 rows fill several blocks.
    const std::string utf8 = write(5000, "utf-8").first;
    const auto [cp1252, unmappable] = write(5000, "windows-1252");
    ASSERT_GT(utf8.size(), 4u * 64 * 1024);
    // Compared as a whole, not printed: a difference would fill the screen.
    EXPECT_TRUE(cp1252 == asCp1252(utf8));
    EXPECT_EQ(unmappable, 0u);
    EXPECT_TRUE(write(5000, "utf-8-bom").first == "\xEF\xBB\xBF" + utf8);
}

TEST(contact_csv_writer_test, the_destructor_writes_what_finish_would)
{
    EXPECT_TRUE(write(3000, "windows-1252", false).first == write(3000, "windows-1252").first);
}

TEST(contact_csv_writer_test, counts_what_the_code_page_lacked)
{
    Contact contact;
    contact.name.given = "Zoë";
    contact.name.family = "Ωmega";
    contact.notes = {"日本"};
    std::ostringstream out;
    GoogleLayout layout;
    RowSpool spool = testing::spoolRows(layout, {contact});
    ContactCsvWriter writer(out, {}, "windows-1252");
    testing::writeRows(writer, layout, spool);
    writer.finish();
    EXPECT_EQ(writer.unmappableCount(), 3u);
    EXPECT_NE(out.str().find("\r\nZo\xEB,,?mega,"), std::string::npos);
    EXPECT_NE(out.str().find(",??,"), std::string::npos);
}

TEST(contact_csv_writer_test, refuses_an_unknown_encoding_before_writing)
{
    std::ostringstream out;
    EXPECT_THROW(ContactCsvWriter(out, {}, "klingon"), std::invalid_argument);
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace brimwell::vcard::csv
