// Whole runs under hostile conditions. Inputs and destinations a careless or unlucky user
// hands the program each get their ordinary behaviour, a clear message where the program
// speaks, and no crash or hang; and no run loses a file of its own list.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <random>

#include "base/error_trap.h"
#include "job/conversion_job.h"
#include "support/cli_run.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

/// UTF-16 little-endian bytes after the mark FF FE.
std::string utf16(std::u16string_view units)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : units)
        bytes.append(1, static_cast<char>(unit & 0xFF)).append(1, static_cast<char>(unit >> 8));
    return bytes;
}

class hostile_input_test : public testing::Test {
protected:
    test::TempDir dir;

    /// Converts `path` through the console program, with commas and without quotes.
    test::CliRun convert(const std::string& path, std::vector<std::string> extra = {})
    {
        extra.insert(extra.end(), {"--separator", "comma", "--no-quotes", "--quiet", path});
        return test::run(extra);
    }
};

TEST_F(hostile_input_test, odd_encodings_and_bytes_convert_in_both_layouts_without_harm)
{
    std::mt19937 random(20240607);
    std::string binary(256 * 1024, '\0');
    std::generate(binary.begin() + 2, binary.end(), [&] { return static_cast<char>(random()); });
    const std::string kMark = "\xEF\xBB\xBF";
    const std::string kNothing = "\r\n\r\n";  // a file without text, which is also reported
    struct Case {
        const char* name;
        std::string bytes;
        std::optional<std::string> csv;  ///< of the standard layout
    };
    const Case cases[] = {
        {"empty file", "", kNothing},
        {"utf8 mark alone", kMark, kNothing},
        {"utf16 mark alone", "\xFF\xFE", kNothing},
        {"utf16 of odd length", utf16(u"FN:Ann\r\n") + "A", "Display Name\r\nAnn\r\n"},
        {"utf16 unpaired surrogates", utf16(u"FN:A"s + u'\xD800' + u"B" + u'\xDC00' + u"C\r\n"),
         "Display Name\r\nA?B?C\r\n"},
        {"utf8 mark with invalid sequences", kMark + "FN:A\xC3(B\xE2\x82\r\nN:\xFF;\xC0\xAF\r\n",
         "Display Name,Last Name,First Name\r\nA?(B?,?,??\r\n"},
        {"nul bytes inside lines", "BEGIN:VCARD\r\nFN:A\0B\r\nTEL;CELL:5\0005\r\nEND:VCARD\r\n"s,
         "Display Name,Mobile Phone\r\nA\0B,5\0005\r\n"s},
        {"binary without a mark", binary, std::nullopt},
    };
    for (const auto& [name, bytes, csv] : cases) {
        SCOPED_TRACE(name);
        const std::string source = dir.write("in.vcf", bytes);
        const std::string report =
            "File\n\n" + source + "\n\ncontains no information, please check your source file.\n";
        for (const char* format : {"gmail", "csv"}) {
            const auto result = convert(source, {"--format", format});
            EXPECT_EQ(result.status, 0) << result.err;
            EXPECT_EQ(result.out, (csv == kNothing ? report : "") + "Done.\n");
        }
        EXPECT_EQ(test::readBytes(source), bytes);
        if (csv) {
            EXPECT_EQ(test::readBytes(dir.file("in.csv")), *csv);
        }
    }
}

TEST_F(hostile_input_test, a_fifty_megabyte_line_and_a_hundred_thousand_contacts)
{
    const std::string value(50 * 1024 * 1024, 'x');
    const auto line = convert(dir.write("long.vcf", "FN:" + value));
    EXPECT_EQ(line.status, 0) << line.err;
    EXPECT_TRUE(test::readBytes(dir.file("long.csv")) == "Display Name\r\n" + value + "\r\n");

    std::string text;
    for (int i = 1; i <= 100000; ++i)
        text += "BEGIN:VCARD\r\nFN:C" + std::to_string(i) + "\r\nEND:VCARD\r\n";
    const std::string many = dir.write("many.vcf", text);
    const auto combined = convert(many, {"--one-csv", dir.file("all.csv")});
    EXPECT_EQ(combined.status, 0) << combined.err;
    const std::string csv = test::readBytes(dir.file("all.csv"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 100001);
    EXPECT_TRUE(csv.starts_with("Display Name\r\nC1\r\nC2\r\n") &&
                csv.ends_with("\r\nC100000\r\n"));
    fs::create_directory(dir.file("out"));
    const auto perContact = convert(many, {"--out-dir", dir.file("out")});
    EXPECT_EQ(perContact.status, 0) << perContact.err;
    EXPECT_EQ(test::readBytes(dir.file("out/many100000.csv")), "Display Name\r\nC100000\r\n");
}

TEST_F(hostile_input_test, a_listed_folder_is_reported_and_the_run_goes_on)
{
    test::ScriptedWindow window;
    window.select(Control::Option10);
    const std::string folder = dir.file("box.vcf");
    fs::create_directory(folder);
    window.items = {folder, dir.write("c.vcf", "FN:C\r\n")};
    ConversionJob(window).PushButton2_Click();
    const auto reports = window.errorReports();  // by the run and by the converter
    ASSERT_EQ(reports.size(), 2u);
    for (const std::string& report : reports)
        EXPECT_TRUE(report.starts_with("cannot read file " + folder + ": Is a directory\r\n"));
    EXPECT_EQ(test::readBytes(dir.file("c.csv")), "\"Display Name\"\r\n\"C\"\r\n");
}

TEST_F(hostile_input_test, destinations_that_cannot_be_written)
{
    const std::string kAnn = "BEGIN:VCARD\r\nFN:Ann\r\nEND:VCARD\r\n";
    const std::string source = dir.write("in/ann.vcf", kAnn);
    const std::string file = dir.write("plain.txt", "x");
    for (const std::string& folder : {dir.file("missing"), file + "/sub"})
        EXPECT_EQ(convert(source, {"--out-dir", folder}).out,
                  "Folder does not exist. Please select another folder.\n");
    const std::pair<std::string, const char*> targets[] = {
        {dir.file("missing/all.csv"), "No such file or directory"},
        {file + "/all.csv", "Not a directory"},
        {"/dev/full", "No space left on device"}};
    for (const auto& [target, reason] : targets) {
        for (const char* format : {"csv", "gmail"}) {
            SCOPED_TRACE(target + " " + format);
            if (target == "/dev/full" && !fs::exists(target))
                continue;
            const auto failed = convert(source, {"--one-csv", target, "--format", format});
            EXPECT_EQ(failed.status, 1);
            EXPECT_EQ(failed.out + failed.err,
                      "Done.\nbrimwell-cli: cannot write " + target + ": " + reason + "\n");
        }
    }
    EXPECT_EQ(test::readBytes(source), kAnn);
}

// No run deletes, empties or overwrites a file of its own list: a conversion whose CSV would
// be a listed source is skipped with a report, and the rest of the run goes on.
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
