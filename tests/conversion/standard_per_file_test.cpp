#include "conversion/standard_per_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

const std::string kAnn =
    "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nFN:Ann Lee\r\nTEL;CELL:555\r\nEMAIL;INTERNET:a1\r\nEND:VCARD\r\n";

class standard_per_file_test : public testing::Test {
protected:
    test::TempDir dir;
    test::ScriptedWindow window;

    void SetUp() override { window.select(Control::Option10); }
};

TEST_F(standard_per_file_test, writes_header_and_data_beside_the_source)
{
    const auto source = dir.write("Ann Lee.vcf", kAnn);
    window.checks[Control::Check9] = 0;
    ConvertTresko(window, source, ",");
    EXPECT_EQ(test::readBytes(dir.file("Ann Lee.csv")),
              "Last Name,First Name,Display Name,Mobile Phone,Email Address\r\nLee,Ann,Ann Lee,555,a1\r\n");
    EXPECT_TRUE(window.errorReports().empty());
}

TEST_F(standard_per_file_test, quotes_every_header_and_value)
{
    const auto source = dir.write("ann.vcf", kAnn);
    ConvertTresko(window, source, ", ");
    EXPECT_EQ(test::readBytes(dir.file("ann.csv")),
              "\"Last Name\", \"First Name\", \"Display Name\", \"Mobile Phone\", \"Email Address\"\r\n"
              "\"Lee\", \"Ann\", \"Ann Lee\", \"555\", \"a1\"\r\n");
}

TEST_F(standard_per_file_test, names_the_target_from_the_last_extension_only)
{
    const auto source = dir.write("list.old.vcf", "FN:Ann\r\n");
    ConvertTresko(window, source, "\t");
    EXPECT_EQ(test::readBytes(dir.file("list.old.csv")), "\"Display Name\"\r\n\"Ann\"\r\n");
}

TEST_F(standard_per_file_test, writes_into_the_chosen_folder_with_doubled_separators_collapsed)
{
    const auto source = dir.write("in/team.vcf", "FN:Ann\r\n");
    std::filesystem::create_directories(dir.path() / "out");
    window.select(Control::Option9);
    window.texts[Control::Text1] = dir.file("out") + "//";
    window.checks[Control::Check9] = 0;
    ConvertTresko(window, source, ";");
    EXPECT_EQ(test::readBytes(dir.file("out/team.csv")), "Display Name\r\nAnn\r\n");
}

TEST_F(standard_per_file_test, replaces_an_existing_csv)
{
    const auto source = dir.write("ann.vcf", "FN:Ann\r\n");
    dir.write("ann.csv", "old content that must go\r\n");
    window.checks[Control::Check9] = 0;
    ConvertTresko(window, source, ",");
    EXPECT_EQ(test::readBytes(dir.file("ann.csv")), "Display Name\r\nAnn\r\n");
}

TEST_F(standard_per_file_test, a_file_without_recognised_lines_gives_two_empty_lines)
{
    const auto source = dir.write("junk.vcf", std::string("\x00\x01\xff garbage\nmore", 17));
    ConvertTresko(window, source, ",");
    EXPECT_EQ(test::readBytes(dir.file("junk.csv")), "\r\n\r\n");
    EXPECT_TRUE(window.errorReports().empty());
}

TEST_F(standard_per_file_test, a_missing_source_is_reported_and_the_conversion_goes_on)
{
    ConvertTresko(window, dir.file("gone.vcf"), ",");
    ASSERT_EQ(window.errorReports().size(), 1u);
    EXPECT_EQ(window.errorReports()[0],
              "cannot open file " + dir.file("gone.vcf") +
                  ": No such file or directory\r\nin Tresko2021/08/31.modCSV.ConvertTresko at line 3\r\r"
                  "Please email screenshot of this message to support@brimwell.app");
    EXPECT_EQ(test::readBytes(dir.file("gone.csv")), "\r\n\r\n");
}

TEST_F(standard_per_file_test, no_destination_selected_writes_nothing)
{
    const auto source = dir.write("ann.vcf", "FN:Ann\r\n");
    window.options[Control::Option9] = window.options[Control::Option10] = false;
    ConvertTresko(window, source, ",");
    EXPECT_FALSE(std::filesystem::exists(dir.file("ann.csv")));
    EXPECT_TRUE(window.errorReports().empty());
}

TEST_F(standard_per_file_test, progress_follows_the_columns_with_the_full_path)
{
    const auto source = dir.write("ann.vcf", "FN:Ann\r\nN:Lee;Ann\r\n");  // three columns
    ConvertTresko(window, source, ",");
    EXPECT_EQ(window.progressValues, (std::vector<int>{0, 50, 100, 0, 50, 100}));
    EXPECT_EQ(window.progressText, "Processing: " + source);
    EXPECT_GE(window.yields, 6);
}

TEST_F(standard_per_file_test, a_single_column_leaves_the_progress_value_alone)
{
    const auto source = dir.write("ann.vcf", "FN:Ann\r\n");
    window.progressValue = 42;
    ConvertTresko(window, source, ",");
    EXPECT_TRUE(window.progressValues.empty());
    EXPECT_EQ(window.progressValue, 42);
}

TEST_F(standard_per_file_test, the_filtered_twin_keeps_ticked_fields_and_leaves_progress_alone)
{
    const auto source = dir.write("ann.vcf", "TEL;CELL:1\r\nFN:Ann\r\nN:Lee;Ann\r\nEMAIL:a\r\n");
    window.checks[Control::Check6] = window.checks[Control::Check4] = 1;
    window.checks[Control::Check9] = 0;
    ConvertTreskoLimit(window, source, ",");
    EXPECT_EQ(test::readBytes(dir.file("ann.csv")), "Mobile Phone,Last Name,First Name\r\n1,Lee,Ann\r\n");
    EXPECT_TRUE(window.progressValues.empty());
    EXPECT_TRUE(window.progressTexts.empty());
}

TEST_F(standard_per_file_test, two_contacts_in_one_file_share_one_row)
{
    const auto source = dir.write("two.vcf", "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\nEND:VCARD\n");
    window.checks[Control::Check9] = 0;
    ConvertTresko(window, source, ",");
    EXPECT_EQ(test::readBytes(dir.file("two.csv")), "Display Name,Display Name\r\nA,B\r\n");
}

}  // namespace
}  // namespace brimwell
