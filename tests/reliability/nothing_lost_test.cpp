// No run deletes, empties or overwrites a file of its own list: a conversion whose CSV would
// be a listed source is skipped with a report, and the rest of the run goes on.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/error_trap.h"
#include "job/conversion_job.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

namespace fs = std::filesystem;

const std::string kOne = "BEGIN:VCARD\r\nFN:Ann Lee\r\nTEL;CELL:555\r\nEND:VCARD\r\n";
constexpr const char* kTwo =
    "BEGIN:VCARD\nFN:A\nTEL:1\nEND:VCARD\nBEGIN:VCARD\nFN:B\nTEL:2\nEND:VCARD\n";
const std::string kKept = "FN:Kept\r\n";

/// The report of a conversion skipped because its CSV would replace `listed`.
std::string refusal(const std::string& listed, const std::string& consequence,
                    std::string_view procedure = "ConvertTresko",
                    std::string_view module = "modCSV", int line = 1)
{
    return errorReportText(
        "The CSV file would replace the listed source file " + listed + "; " + consequence + ".",
        kLocationTag, module, procedure, line);
}

TEST(nothing_lost_test, a_csv_named_like_a_listed_file_is_skipped_in_every_layout_and_mode)
{
    test::TempDir dir;
    test::ScriptedWindow window;
    ConversionJob job(window);
    const std::string team = dir.write("team.vcf", kTwo);
    const std::string second = dir.write("team2.csv", kKept);  // the CSV of team.vcf's contact 2
    const std::string ann = dir.write("a.vcf", kOne);
    const std::string annCsv = dir.write("a.csv", kKept);  // the CSV of a.vcf, and its own
    fs::create_symlink(ann, dir.file("link.csv"));
    window.items = {team, second, ann, annCsv};
    window.select(Control::Option10);
    for (const std::string_view procedure : {"ConvertTresko", "ConvertTreskoLimit",
                                             "ConvertVCFToGmailCSV", "ConvertVCFToGmailCSVLimit"}) {
        SCOPED_TRACE(procedure);
        const bool gmail = procedure.find("Gmail") != procedure.npos;
        window.select(gmail ? Control::Option2 : Control::Option1);
        window.select(Control::Option8);
        window.messages.clear();
        window.checks[Control::Check4] = procedure.ends_with("Limit");  // the filtered twin
        const std::string written = dir.file(gmail ? "team.csv" : "team1.csv");
        fs::remove(written);
        job.PushButton2_Click();
        EXPECT_EQ(job.lastOutcome(), RunOutcome::Done);
        std::vector<std::string> expected;
        if (!gmail)
            expected.push_back(refusal(second, "contact 2 of " + team + " was not converted",
                                       "PushButton2_Click", "Form1", 7));
        for (const auto& [listed, source] :
             {std::pair(second, second), {annCsv, ann}, {annCsv, annCsv}})
            expected.push_back(refusal(listed, source + " was not converted", procedure));
        EXPECT_EQ(window.errorReports(), expected);
        EXPECT_NE(test::readBytes(written), "<missing>");

        // One CSV named, through a link, like a listed file: nothing is written.
        window.select(Control::Option7);
        window.saveAnswers = {dir.file("link.csv")};
        window.messages.clear();
        job.PushButton2_Click();
        EXPECT_EQ(window.errorReports(),
                  std::vector<std::string>{
                      refusal(ann, "no CSV file was written", "PushButton2_Click", "Form1", 8)});
        EXPECT_EQ(test::readBytes(second) + test::readBytes(ann) + test::readBytes(annCsv),
                  kKept + kOne + kKept);
    }
}

}  // namespace
}  // namespace brimwell
