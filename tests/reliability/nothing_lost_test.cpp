// No run deletes, empties or overwrites one of its own input files: a conversion whose CSV
// would be a listed source is skipped with a report, and the rest of the run goes on.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/error_trap.h"
#include "job/conversion_job.h"
#include "support/scripted_window.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

namespace fs = std::filesystem;

constexpr const char* kOne = "BEGIN:VCARD\r\nFN:Ann Lee\r\nTEL;CELL:555\r\nEND:VCARD\r\n";
constexpr const char* kTwo = "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\nEND:VCARD\n";

std::string refusal(const std::string& listed, const std::string& consequence,
                    std::string_view module, std::string_view procedure, int line)
{
    return errorReportText(
        "The CSV file would replace the listed source file " + listed + "; " + consequence + ".",
        kLocationTag, module, procedure, line);
}

std::string notConverted(const std::string& what)
{
    return what + " was not converted";
}

class nothing_lost_test : public testing::Test {
protected:
    test::TempDir dir;
    test::ScriptedWindow window;
    ConversionJob job{window};

    void SetUp() override
    {
        window.select(Control::Option10);
        window.select(Control::Option5);
        window.checks[Control::Check9] = 0;
    }
    std::string list(std::string_view name, std::string_view content)
    {
        window.items.push_back(dir.write(name, content));
        return window.items.back();
    }
    void run()
    {
        job.PushButton2_Click();
        EXPECT_EQ(job.lastOutcome(), RunOutcome::Done);
    }
};

TEST_F(nothing_lost_test, a_per_file_target_equal_to_its_source_is_skipped)
{
    struct Case {
        const char* name;
        Control format;
        int filter;
        const char* procedure;
    };
    for (const auto& [name, format, filter, procedure] :
         {Case{"standard", Control::Option1, 0, "ConvertTresko"},
          Case{"standard filtered", Control::Option1, 1, "ConvertTreskoLimit"},
          Case{"gmail", Control::Option2, 0, "ConvertVCFToGmailCSV"},
          Case{"gmail filtered", Control::Option2, 1, "ConvertVCFToGmailCSVLimit"}}) {
        SCOPED_TRACE(name);
        window.items.clear();
        window.messages.clear();
        window.select(format);
        window.checks[Control::Check4] = filter;
        const std::string source = list("x.csv", kOne);
        const std::string other = list("b.vcf", kOne);
        fs::remove(dir.file("b.csv"));
        run();
        EXPECT_EQ(test::readBytes(source), kOne);
        EXPECT_NE(test::readBytes(dir.file("b.csv")), "<missing>");
        EXPECT_EQ(window.errorReports(),
                  std::vector<std::string>{
                      refusal(source, notConverted(source), "modCSV", procedure, 1)});
        EXPECT_EQ(window.informationTexts().back(), "Done.");
    }
}

TEST_F(nothing_lost_test, a_per_file_target_equal_to_another_listed_file_is_skipped)
{
    const std::string vcard = list("a.vcf", kOne);
    const std::string csv = list("out/a.csv", "FN:Kept\r\n");
    window.select(Control::Option9);
    window.texts[Control::Text1] = dir.file("out");
    run();
    EXPECT_EQ(test::readBytes(csv), "FN:Kept\r\n");
    EXPECT_EQ(
        window.errorReports(),
        (std::vector<std::string>{refusal(csv, notConverted(vcard), "modCSV", "ConvertTresko", 1),
                                  refusal(csv, notConverted(csv), "modCSV", "ConvertTresko", 1)}));
}

TEST_F(nothing_lost_test, a_per_contact_target_equal_to_a_listed_file_is_skipped)
{
    const std::string team = list("team.vcf", kTwo);
    const std::string second = list("team2.csv", "FN:Kept\r\n");
    run();
    EXPECT_EQ(test::readBytes(dir.file("team1.csv")), "Display Name\r\nA\r\n");
    EXPECT_EQ(test::readBytes(second), "FN:Kept\r\n");
    EXPECT_EQ(
        window.errorReports(),
        (std::vector<std::string>{
            refusal(second, notConverted("contact 2 of " + team), "Form1", "PushButton2_Click", 7),
            refusal(second, notConverted(second), "modCSV", "ConvertTresko", 1)}));
}

TEST_F(nothing_lost_test, a_one_csv_answer_naming_a_listed_file_converts_nothing)
{
    const std::string first = list("a.vcf", kOne);
    list("b.vcf", kTwo);
    fs::create_symlink(first, dir.file("link.csv"));
    window.select(Control::Option7);
    struct Case {
        const char* name;
        std::string answer;
    };
    for (Control format : {Control::Option1, Control::Option2}) {
        window.select(format);
        for (const auto& [name, answer] :
             {Case{"the listed path", first}, Case{"another spelling", dir.file("sub/../a.vcf")},
              Case{"a symbolic link", dir.file("link.csv")}}) {
            SCOPED_TRACE(name);
            window.messages.clear();
            window.saveAnswers = {answer};
            run();
            EXPECT_EQ(test::readBytes(first), kOne);
            EXPECT_EQ(window.errorReports(),
                      std::vector<std::string>{refusal(first, "no CSV file was written", "Form1",
                                                       "PushButton2_Click", 8)});
        }
    }
}


TEST_F(nothing_lost_test, the_console_program_reports_a_refusal_and_exits_with_1)
{
    const std::string source = dir.write("in/x.csv", kOne);
    const std::string other = dir.write("in/b.vcf", kOne);
    const std::string sentence =
        "The CSV file would replace the listed source file " + source + "; ";

    auto beside = test::run({source, other});
    EXPECT_EQ(beside.status, 1);
    EXPECT_NE(beside.err.find("Application Error: " + sentence + source + " was not converted.\n"),
              std::string::npos);
    EXPECT_NE(test::readBytes(dir.file("in/b.csv")), "<missing>");

    auto oneCsv = test::run({"--one-csv", source, source, other});
    EXPECT_EQ(oneCsv.status, 1);
    EXPECT_NE(oneCsv.err.find(sentence + "no CSV file was written.\n"), std::string::npos)
        << oneCsv.err;
    EXPECT_EQ(test::readBytes(source), kOne);
}

}  // namespace
}  // namespace brimwell
