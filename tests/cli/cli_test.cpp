// The console program's options, exit statuses and messages; the conversions are the core's.
#include "cli/cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <sstream>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

namespace fs = std::filesystem;

const std::string kAnn = "BEGIN:VCARD\r\nN:Lee;Ann\r\nTEL;CELL:555\r\nEND:VCARD\r\n";

/// Runs in a folder of its own, so that every path is given relative.
class cli_test : public testing::Test {
protected:
    test::TempDir dir;
    fs::path previous = fs::current_path();

    void SetUp() override
    {
        dir.write("in/ann.vcf", kAnn);
        dir.write("in/x.csv", kAnn);
        dir.write("in/sub/bob.VCF", "BEGIN:VCARD\r\nFN:Bob\r\nEND:VCARD\r\n");
        dir.write("in/notes.txt", "FN:Not a contact\r\n");
        dir.write("broken.vcf", "BEGIN:VCARD\nVERSION:3.0\nFN:Dee\n");
        dir.write("team.vcf",
                  "BEGIN:VCARD\nFN:Bo\nEMAIL:b\nEND:VCARD\nBEGIN:VCARD\nFN:Cy\nEND:VCARD\n");
        fs::create_directories(dir.path() / "out");
        fs::current_path(dir.path());
    }
    void TearDown() override { fs::current_path(previous); }
    /// Runs the console program with `line` split at spaces.
    static test::CliRun run(const char* line)
    {
        std::istringstream words(line);
        return test::run({std::istream_iterator<std::string>(words), {}});
    }
};

TEST_F(cli_test, options_exit_statuses_and_messages)
{
    struct Case {
        const char* args;
        int status;
        std::string out;  ///< how standard output starts
        std::string err;  ///< a part of standard error
        const char* csvFile;
        std::string csv;
    };
    const std::string done = "Done.\n";
    const std::string quoted =
        "\"Last Name\"\t\"First Name\"\t\"Mobile Phone\"\r\n\"Lee\"\t\"Ann\"\t\"555\"\r\n";
    const std::string googleHeader =
        "First Name,Middle Name,Last Name,Phonetic First Name,Phonetic Middle Name,"
        "Phonetic Last Name,Name Prefix,Name Suffix,Nickname,File As,Organization Name,"
        "Organization Title,Organization Department,Birthday,Notes,Photo,Labels";
    const Case cases[] = {
        {"in/ann.vcf", 0, done, "", "in/ann.csv", quoted},
        {"--separator semicolon --no-quotes --beside-source in/ann.vcf", 0, done, "", "in/ann.csv",
         "Last Name;First Name;Mobile Phone\r\nLee;Ann;555\r\n"},
        {"--separator none --no-quotes in/ann.vcf", 0, done, "", "in/ann.csv",
         "Last NameFirst NameMobile Phone\r\nLeeAnn555\r\n"},
        {"--out-dir out --separator comma --no-quotes in/ann.vcf", 0, done, "", "out/ann.csv",
         "Last Name,First Name,Mobile Phone\r\nLee,Ann,555\r\n"},
        {"--keep names,phones --format gmail --separator semicolon --no-quotes in/ann.vcf", 0, done,
         "", "in/ann.csv", "Name;Phone Numbers;\r\nLee;Ann;555;\r\n"},
        {"--one-csv all.csv --separator comma --no-quotes in/ann.vcf team.vcf", 0, done, "",
         "all.csv",
         "Last Name,First Name,Mobile Phone,Display Name,Email Address\r\n"
         "Lee,Ann,555,,\r\n,,,Bo,b\r\n,,,Cy,\r\n"},
        {"--one-csv all.csv --no-quotes in", 0, done, "", "all.csv",
         "Last Name\tFirst Name\tMobile Phone\tDisplay Name\r\nLee\tAnn\t555\t\r\n\t\t\tBob\r\n"},
        {"--ext txt --no-quotes in", 0, done, "", "in/notes.csv",
         "Display Name\r\nNot a contact\r\n"},
        {"in/gone.vcf in/ann.vcf", 1, done,
         "Application Error: cannot open file " + dir.file("in/gone.vcf") +
             ": No such file or directory\nin Tresko2021/08/31.modCSV.ConvertTresko at line 3\n",
         "in/ann.csv", quoted},
        {"in/x.csv in/ann.vcf", 1, done,
         "Application Error: The CSV file would replace the listed source file " +
             dir.file("in/x.csv") + "; " + dir.file("in/x.csv") + " was not converted.\n",
         "in/ann.csv", quoted},
        {"out", 2, "No files added.\n", "", "", ""},  // a folder without vCard files
        {"", 2, "", "FILE is required", "", ""},
        {"--separator pipe in/ann.vcf", 2, "", "pipe not in", "", ""},
        {"--out-dir out --beside-source in/ann.vcf", 2, "", "excludes", "", ""},
        {"--help", 0, "Converts vCard files", "", "", ""},
        {"--format google --separator comma --no-quotes --one-csv g.csv in/ann.vcf", 0, done, "",
         "g.csv",
         "\xEF\xBB\xBF" + googleHeader + ",Phone 1 - Label,Phone 1 - Value\r\n" +
             "Ann,,Lee,,,,,,,,,,,,,,* myContacts,Mobile,555\r\n"},
        {"--format table --encoding utf-8 --out-dir out broken.vcf", 0, done,
         "card 1 (Dee): no END:VCARD", "", ""},
        {"--format vcard in/ann.vcf", 2, "", "vcard not in {csv,gmail,google,outlook,table}", "",
         ""},
        {"--format google --encoding klingon in/ann.vcf", 2, "",
         "unknown encoding klingon; known are utf-8-bom, utf-8, windows-1252", "", ""},
        {"--format google --fallback-charset utf-8-bom in/ann.vcf", 2, "",
         "unknown code page utf-8-bom", "", ""},
    };
    for (const auto& [args, status, out, err, csvFile, csv] : cases) {
        SCOPED_TRACE(args);
        std::error_code ignored;
        fs::remove(csvFile, ignored);  // the CSV checked below is this run's
        const auto result = run(args);
        EXPECT_EQ(result.status, status);
        EXPECT_TRUE(result.out.starts_with(out)) << result.out;
        EXPECT_NE(result.err.find(err), std::string::npos) << result.err;
        if (*csvFile != '\0') {
            EXPECT_EQ(test::readBytes(csvFile), csv);
        }
    }
    EXPECT_EQ(test::readBytes("in/ann.vcf") + test::readBytes("in/x.csv"), kAnn + kAnn);
}

}  // namespace
}  // namespace brimwell
