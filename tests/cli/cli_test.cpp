#include "cli/cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/temp_dir.h"

namespace brimwell {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun run(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

class cli_test : public testing::Test {
protected:
    test::TempDir dir;
    std::string ann = dir.write("in/ann.vcf", "BEGIN:VCARD\r\nN:Lee;Ann\r\nTEL;CELL:555\r\nEND:VCARD\r\n");
};

TEST_F(cli_test, converts_beside_the_source_by_default_with_tabs_and_quotes)
{
    const auto result = run({ann});
    EXPECT_EQ(result.status, 0) << result.err;
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
