#include "cli/cli.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

using test::CliRun;
using test::run;

class cli_test : public testing::Test {
protected:
    test::TempDir dir;
    std::string ann = dir.write("in/ann.vcf", "BEGIN:VCARD\r\nN:Lee;Ann\r\nTEL;CELL:555\r\nEND:VCARD\r\n");
};

TEST_F(cli_test, converts_beside_the_source_by_default_with_tabs_and_quotes)
{
    const auto result = run({ann});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Done.\n");
    EXPECT_EQ(test::readBytes(dir.file("in/ann.csv")),
              "\"Last Name\"\t\"First Name\"\t\"Mobile Phone\"\r\n\"Lee\"\t\"Ann\"\t\"555\"\r\n");
}

TEST_F(cli_test, separators_and_quotes_follow_the_options)
{
    struct Case {
        std::string separator;
        std::string header;
    };
    for (const auto& [separator, header] : {Case{"semicolon", "Last Name;First Name;Mobile Phone"},
                                            Case{"comma", "Last Name,First Name,Mobile Phone"},
                                            Case{"comma-space", "Last Name, First Name, Mobile Phone"},
                                            Case{"none", "Last NameFirst NameMobile Phone"}}) {
        SCOPED_TRACE(separator);
        ASSERT_EQ(run({"--separator", separator, "--no-quotes", "--beside-source", ann}).status, 0);
        EXPECT_EQ(test::readBytes(dir.file("in/ann.csv")).substr(0, header.size() + 2), header + "\r\n");
    }
}

TEST_F(cli_test, writes_into_an_output_folder_given_relative)
{
    std::filesystem::create_directories(dir.path() / "out");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const auto result = run({"--out-dir", "out", "--no-quotes", "in/ann.vcf"});
    std::filesystem::current_path(previous);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(test::readBytes(dir.file("out/ann.csv")), "Last Name\tFirst Name\tMobile Phone\r\nLee\tAnn\t555\r\n");
}

TEST_F(cli_test, a_missing_output_folder_refuses_the_run)
{
    const auto result = run({"--out-dir", dir.file("nowhere"), ann});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "Folder does not exist. Please select another folder.\n");
}

TEST_F(cli_test, an_unreadable_file_is_reported_on_stderr_and_the_run_goes_on)
{
    const auto result = run({dir.file("in/missing.vcf"), ann});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Application Error: cannot open file " + dir.file("in/missing.vcf")),
              std::string::npos);
    EXPECT_NE(result.err.find("\nin Tresko2021/08/31.modCSV.ConvertTresko at line 3\n\nPlease email"),
              std::string::npos);
    EXPECT_NE(test::readBytes(dir.file("in/ann.csv")), "<missing>");
}

TEST_F(cli_test, one_csv_combines_every_file_and_contact)
{
    dir.write("in/team.vcf", "BEGIN:VCARD\nFN:Bo\nEMAIL:b\nEND:VCARD\nBEGIN:VCARD\nFN:Cy\nEND:VCARD\n");
    const auto result = run({"--one-csv", dir.file("all.csv"), "--separator", "comma", "--no-quotes", ann,
                             dir.file("in/team.vcf")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Done.\n");
    EXPECT_EQ(test::readBytes(dir.file("all.csv")),
              "Last Name,First Name,Mobile Phone,Display Name,Email Address\r\n"
              "Lee,Ann,555,,\r\n,,,Bo,b\r\n,,,Cy,\r\n");
}

TEST_F(cli_test, keep_chooses_the_filtered_converters)
{
    ASSERT_EQ(run({"--keep", "phones", "--no-quotes", ann}).status, 0);
    EXPECT_EQ(test::readBytes(dir.file("in/ann.csv")), "Mobile Phone\r\n555\r\n");
    ASSERT_EQ(run({"--keep", "names,phones", "--format", "gmail", "--separator", "semicolon", "--no-quotes", ann})
                  .status,
              0);
    EXPECT_EQ(test::readBytes(dir.file("in/ann.csv")), "Name;Phone Numbers;\r\nLee;Ann;555;\r\n");
}

TEST_F(cli_test, gmail_format_writes_the_fixed_layout)
{
    ASSERT_EQ(run({"--format", "gmail", "--separator", "comma", "--no-quotes", ann}).status, 0);
    const auto csv = test::readBytes(dir.file("in/ann.csv"));
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "Name,E-mail,Notes,Section 1 - Description,Section 1 - Email,Section 1 - IM,Section 1 - Phone,"
              "Section 1 - Mobile,Section 1 - Pager,Section 1 - Fax,Section 1 - Company,Section 1 - Title,"
              "Section 1 - Other,Section 1 - Address,Section 2 - Description,Section 2 - Email,Section 2 - IM,"
              "Section 2 - Phone,Section 2 - Mobile,Section 2 - Pager,Section 2 - Fax,Section 2 - Company,"
              "Section 2 - Title,Section 2 - Other,Section 2 - Address");
    EXPECT_EQ(csv.substr(csv.find("\r\n") + 2), "Lee;Ann,,,Home,,,555,555,,,,,,,Work,,,,,,,,,,\r\n");
}

TEST_F(cli_test, a_folder_argument_is_scanned_for_the_extension)
{
    dir.write("in/sub/bob.VCF", "BEGIN:VCARD\r\nFN:Bob\r\nEND:VCARD\r\n");
    dir.write("in/notes.txt", "FN:Not a contact\r\n");
    dir.write("in/~lock.vcf", "FN:Lock\r\n");
    const auto result = run({"--one-csv", dir.file("all.csv"), "--no-quotes", dir.file("in")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(test::readBytes(dir.file("all.csv")),
              "Last Name\tFirst Name\tMobile Phone\tDisplay Name\r\nLee\tAnn\t555\t\r\n\t\t\tBob\r\n");
    ASSERT_EQ(run({"--ext", "txt", "--no-quotes", "--separator", "comma", dir.file("in")}).status, 0);
    EXPECT_EQ(test::readBytes(dir.file("in/notes.csv")), "Display Name\r\nNot a contact\r\n");
}

TEST_F(cli_test, a_folder_without_matching_files_is_refused)
{
    std::filesystem::create_directories(dir.path() / "empty");
    const auto result = run({dir.file("empty")});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "No files added.\n");
}

TEST_F(cli_test, multi_contact_files_give_one_csv_per_contact)
{
    dir.write("in/team.vcf", "BEGIN:VCARD\nFN:Bo\nEND:VCARD\nBEGIN:VCARD\nFN:Cy\nEND:VCARD\n");
    ASSERT_EQ(run({"--no-quotes", dir.file("in/team.vcf")}).status, 0);
    EXPECT_EQ(test::readBytes(dir.file("in/team1.csv")), "Display Name\r\nBo\r\n");
    EXPECT_EQ(test::readBytes(dir.file("in/team2.csv")), "Display Name\r\nCy\r\n");
}

TEST_F(cli_test, usage_errors_help_and_version)
{
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"--separator", "pipe", ann}).status, 2);
    EXPECT_EQ(run({"--out-dir", "x", "--beside-source", ann}).status, 2);
    const auto help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--separator"), std::string::npos);
    const auto version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find("brimwell-cli 1.0.0"), std::string::npos);
}

}  // namespace
}  // namespace brimwell
