#include "conversion/standard_combined.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "conversion/header_list.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

class standard_combined_test : public testing::Test {
protected:
    test::TempDir dir;
    test::ScriptedWindow window;
    std::string csv = dir.file("all.csv");

    void SetUp() override { window.checks[Control::Check9] = 0; }
    void list(std::string_view name, std::string_view content) { window.items.push_back(dir.write(name, content)); }
};

TEST_F(standard_combined_test, columns_follow_first_appearance_across_files)
{
    list("a.vcf", "BEGIN:VCARD\r\nN:Lee;Ann\r\nEMAIL;TYPE=INTERNET:a1\r\nEND:VCARD\r\n");
    list("b.vcf", "BEGIN:VCARD\r\nFN:Bob\r\nEMAIL:b1\r\nEMAIL:b2\r\nEND:VCARD\r\n");
    ConvertVCFToSingleCSV(window, csv, ",", false, "");
    EXPECT_EQ(test::readBytes(csv),
              "Last Name,First Name,Email Address,Display Name,Email Address 2\r\n"
              "Lee,Ann,a1,,\r\n"
              ",,b1,Bob,b2\r\n");
    EXPECT_TRUE(window.errorReports().empty());
}

TEST_F(standard_combined_test, one_line_per_contact_with_a_later_field_overwriting)
{
    list("team.vcf",
         "BEGIN:VCARD\nFN:A\nTEL;CELL:1\nTEL;CELL:2\nEND:VCARD\nBEGIN:VCARD\nFN:B\nEND:VCARD\n"
         "BEGIN:VCARD\nFN:C\r\nNOTE:x\r\nEND:VCARD");
    window.checks[Control::Check9] = 1;
    ConvertVCFToSingleCSV(window, csv, "\t", false, "");
    EXPECT_EQ(test::readBytes(csv),
              "\"Display Name\"\t\"Mobile Phone\"\t\"Notes\"\r\n"
              "\"A\"\t\"2\"\t\"\"\r\n"
              "\"B\"\t\"\"\t\"\"\r\n"
              "\"C\"\t\"\"\t\"x\"\r\n");
}

TEST_F(standard_combined_test, from_text_converts_one_contact_under_the_first_items_path)
{
    list("a.vcf", "BEGIN:VCARD\nFN:ignored\nEND:VCARD\n");
    list("b.vcf", "BEGIN:VCARD\nFN:also ignored\nEND:VCARD\n");
    ConvertVCFToSingleCSV(window, csv, ",", true, "BEGIN:VCARD\nFN:Given\nEMAIL:g\nEND:VCARD");
    EXPECT_EQ(test::readBytes(csv), "Display Name,Email Address\r\nGiven,g\r\n");
    // Each pass ends at the second item after setting the bar for it.
    EXPECT_EQ(window.progressValues, (std::vector<int>{50, 100, 50, 100}));
}

TEST_F(standard_combined_test, nothing_found_leaves_an_existing_file_untouched)
{
    list("junk.vcf", "no contact here");
    dir.write("all.csv", "keep me");
    ConvertVCFToSingleCSV(window, csv, ",", false, "");
    EXPECT_EQ(test::readBytes(csv), "keep me");
}

TEST_F(standard_combined_test, a_second_run_replaces_the_first)
{
    list("a.vcf", "BEGIN:VCARD\nFN:A\nEND:VCARD\n");
    ConvertVCFToSingleCSV(window, csv, ",", false, "");
    ConvertVCFToSingleCSV(window, csv, ",", false, "");
    EXPECT_EQ(test::readBytes(csv), "Display Name\r\nA\r\n");
}

TEST_F(standard_combined_test, an_earlier_files_contacts_are_never_written_twice)
{
    list("a.vcf", "BEGIN:VCARD\nFN:A\nEND:VCARD\n");
    list("b.vcf", "not a vcard");
    ConvertVCFToSingleCSV(window, csv, ",", false, "");
    EXPECT_EQ(test::readBytes(csv), "Display Name\r\nA\r\n\r\n");
}

TEST_F(standard_combined_test, an_unreadable_file_is_reported_and_the_others_converted)
{
    window.items.push_back(dir.file("gone.vcf"));
    list("a.vcf", "BEGIN:VCARD\nFN:A\nEND:VCARD\n");
    ConvertVCFToSingleCSV(window, csv, ",", false, "");
    EXPECT_EQ(window.errorReports().size(), 2u);  // once per pass
    EXPECT_NE(window.errorReports()[0].find("in Tresko2021/08/31.modCSV.ConvertVCFToSingleCSV at line 3"),
              std::string::npos);
    // The unreadable file reads as an empty text: one empty contact line.
    EXPECT_EQ(test::readBytes(csv), "Display Name\r\n\r\nA\r\n");
}

TEST_F(standard_combined_test, progress_per_file_and_pass)
{
    for (const char* name : {"a.vcf", "b.vcf", "c.vcf"})
        list(name, "BEGIN:VCARD\nFN:A\nEND:VCARD\n");
    ConvertVCFToSingleCSV(window, csv, ",", false, "");
    EXPECT_EQ(window.progressValues, (std::vector<int>{33, 66, 100, 33, 66, 100}));
    EXPECT_EQ(window.progressText, "Processing: c.vcf");
}

TEST_F(standard_combined_test, the_filtered_twin_keeps_ticked_columns)
{
    list("a.vcf", "BEGIN:VCARD\nFN:Ann\nTEL;CELL:1\nN:Lee;Ann\nEMAIL:a\nEND:VCARD\n");
    window.checks[Control::Check4] = 1;
    window.checks[Control::Check3] = 1;
    ConvertVCFToSingleCSVLimit(window, csv, ",", false, "");
    EXPECT_EQ(test::readBytes(csv), "Mobile Phone,Email Address\r\n1,a\r\n");
    EXPECT_EQ(window.progressValues, (std::vector<int>{100, 100}));
}

TEST_F(standard_combined_test, the_filtered_twin_writes_nothing_without_ticked_matches)
{
    list("a.vcf", "BEGIN:VCARD\nFN:Ann\nEND:VCARD\n");
    window.checks[Control::Check6] = 1;
    ConvertVCFToSingleCSVLimit(window, csv, ",", false, "");
    EXPECT_FALSE(std::filesystem::exists(csv));
}

// Pass 2 takes the last file's lines from pass 1 only while nothing that shapes them has
// changed; a click during a yield of pass 2 must show exactly as if every line were
// recognised again.
TEST_F(standard_combined_test, switches_changed_before_the_rows_shape_them)
{
    struct Row {
        const char* name;
        Control box;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"quotes", Control::Check9, "Display Name,Notes\r\n\"A\",\"\"\r\n\"B\",\"onetwo\"\r\n"},
        {"remove line breaks", Control::Check10, "Display Name,Notes\r\nA,\r\nB,one two\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        test::ScriptedWindow clicked;
        clicked.checks[Control::Check9] = 0;
        clicked.items = {dir.write("n.vcf", "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\n"
                                            "NOTE:one=0D=0A=two\nEND:VCARD\n")};
        // The second yield is pass 2's, after the header line is written.
        clicked.onYield = [&] {
            if (clicked.yields == 2)
                clicked.checks[row.box] = 1;
        };
        ConvertVCFToSingleCSV(clicked, csv, ",", false, "");
        EXPECT_EQ(test::readBytes(csv), row.expected);
    }
}

TEST_F(standard_combined_test, a_box_ticked_before_the_rows_has_no_column)
{
    list("a.vcf", "BEGIN:VCARD\nFN:Ann\nTEL;CELL:1\nEMAIL:a\nEND:VCARD\n");
    window.checks[Control::Check4] = 1;
    window.onYield = [&] {
        if (window.yields == 2)
            window.checks[Control::Check3] = 1;
    };
    ConvertVCFToSingleCSVLimit(window, csv, ",", false, "");
    EXPECT_EQ(test::readBytes(csv), "Mobile Phone\r\n1\r\n");
}

TEST_F(standard_combined_test, the_last_file_listed_twice_and_unreadable_at_the_end)
{
    list("a.vcf", "BEGIN:VCARD\nFN:A\nEND:VCARD\n");
    list("b.vcf", "BEGIN:VCARD\nN:Lee;Bo\nEND:VCARD\n");
    window.items.push_back(window.items[1]);
    ConvertVCFToSingleCSV(window, csv, ",", false, "");
    EXPECT_EQ(test::readBytes(csv), "Display Name,Last Name,First Name\r\nA,,\r\n,Lee,Bo\r\n,Lee,Bo\r\n");

    window.items.push_back(dir.file("gone.vcf"));
    ConvertVCFToSingleCSV(window, csv, ",", false, "");
    EXPECT_EQ(window.errorReports().size(), 2u);  // read in both passes, reported in both
    EXPECT_EQ(test::readBytes(csv),
              "Display Name,Last Name,First Name\r\nA,,\r\n,Lee,Bo\r\n,Lee,Bo\r\n,,\r\n");
}

TEST(header_list_test, finds_the_first_equal_name_case_sensitively)
{
    HeaderList headers;
    EXPECT_EQ(isHeaderExists("Notes", headers), -1);
    headers.add("Notes");
    headers.add("Email Address");
    headers.add("Notes");
    EXPECT_EQ(headers.names(), (std::vector<std::string>{"Notes", "Email Address"}));
    EXPECT_EQ(isHeaderExists("Email Address", headers), 1);
    EXPECT_EQ(isHeaderExists("notes", headers), -1);
}

}  // namespace
}  // namespace brimwell
