// Inputs and destinations that a careless or unlucky user hands the program: each gets
// its ordinary behaviour, a clear message where the program speaks, and no crash or hang.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "job/conversion_job.h"
#include "support/scripted_window.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

using test::CliRun;
using test::run;

/// ASCII text as UTF-16 little-endian bytes, after the mark FF FE.
std::string utf16(std::string_view ascii)
{
    std::string bytes = "\xFF\xFE";
    for (char c : ascii)
        bytes.append(1, c).append(1, '\0');
    return bytes;
}

std::string noInformation(const std::string& path)
{
    return "File\n\n" + path + "\n\ncontains no information, please check your source file.\n";
}

class hostile_input_test : public testing::Test {
protected:
    test::TempDir dir;
    /// The options every console run here uses, before the files.
    const std::vector<std::string> kPlain = {"--separator", "comma", "--no-quotes", "--quiet"};

    CliRun convert(const std::string& path, std::vector<std::string> extra = {})
    {
        std::vector<std::string> args = kPlain;
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(path);
        return run(args);
    }
};

TEST_F(hostile_input_test, odd_encodings_and_bytes_convert_as_specified)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string csv;
        bool empty;  ///< the text is empty: the split says so
    };
    const Case cases[] = {
        {"empty file", "", "\r\n\r\n", true},
        {"utf8 mark alone", "\xEF\xBB\xBF", "\r\n\r\n", true},
        {"utf16 mark alone", "\xFF\xFE", "\r\n\r\n", true},
        {"utf16 of odd length", utf16("FN:Ann\r\n") + "A", "Display Name\r\nAnn\r\n", false},
        {"utf16 unpaired surrogates",
         utf16("FN:A") +
             "\x00\xD8"
             "B\0"
             "\x00\xDC"
             "C\0"s +
             utf16("\r\n").substr(2),
         "Display Name\r\nA?B?C\r\n", false},
        {"utf8 mark with invalid sequences",
         "\xEF\xBB\xBF"
         "FN:A\xC3(B\xE2\x82\r\nN:\xFF;\xC0\xAF\r\n",
         "Display Name,Last Name,First Name\r\nA?(B?,?,??\r\n", false},
        {"nul bytes inside lines",
         "BEGIN:VCARD\r\nFN:A\0B\r\nTEL;CELL:5\0"
         "5\r\nEND:VCARD\r\n"s,
         "Display Name,Mobile Phone\r\nA\0B,5\0"
         "5\r\n"s,
         false},
    };
    for (const auto& [name, bytes, csv, empty] : cases) {
        SCOPED_TRACE(name);
        const std::string source = dir.write("in.vcf", bytes);
        const auto result = convert(source);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, (empty ? noInformation(source) : "") + "Done.\n");
        EXPECT_EQ(test::readBytes(dir.file("in.csv")), csv);
    }
}

TEST_F(hostile_input_test, a_binary_file_converts_without_harm_in_every_layout)
{
    std::mt19937 random(20240607);
    std::string bytes(256 * 1024, '\0');
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(random()); });
    bytes.replace(0, 2, "\0\0"s);  // no byte-order mark
    const std::string source = dir.write("blob.vcf", bytes);
    for (const char* format : {"csv", "gmail"}) {
        SCOPED_TRACE(format);
        const auto result = convert(source, {"--format", format});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, "Done.\n");
        EXPECT_EQ(test::readBytes(source), bytes);
    }
}

TEST_F(hostile_input_test, a_fifty_megabyte_single_line)
{
    const std::string value(50 * 1024 * 1024, 'x');
    const std::string source = dir.write("long.vcf", "FN:" + value);
    const auto result = convert(source);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(test::readBytes(dir.file("long.csv")) == "Display Name\r\n" + value + "\r\n");
}

TEST_F(hostile_input_test, a_hundred_thousand_tiny_contacts)
{
    constexpr int kContacts = 100000;
    std::string text;
    for (int i = 1; i <= kContacts; ++i)
        text += "BEGIN:VCARD\r\nFN:C" + std::to_string(i) + "\r\nEND:VCARD\r\n";
    const std::string source = dir.write("many.vcf", text);

    const auto combined = convert(source, {"--one-csv", dir.file("all.csv")});
    EXPECT_EQ(combined.status, 0) << combined.err;
    const std::string csv = test::readBytes(dir.file("all.csv"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), kContacts + 1);
    EXPECT_TRUE(csv.starts_with("Display Name\r\nC1\r\nC2\r\n"));
    EXPECT_TRUE(csv.ends_with("\r\nC100000\r\n"));

    fs::create_directory(dir.file("out"));
    const auto perContact = convert(source, {"--out-dir", dir.file("out")});
    EXPECT_EQ(perContact.status, 0) << perContact.err;
    EXPECT_EQ(test::readBytes(dir.file("out/many100000.csv")), "Display Name\r\nC100000\r\n");
}

TEST_F(hostile_input_test, a_source_that_vanishes_before_the_run_is_reported_and_the_run_goes_on)
{
    test::ScriptedWindow window;
    window.select(Control::Option10);
    const std::string first = dir.write("a.vcf", "FN:A\r\n");
    const std::string gone = dir.write("gone.vcf", "FN:G\r\n");
    const std::string last = dir.write("c.vcf", "FN:C\r\n");
    window.items = {first, gone, last};
    window.onYield = [&] { fs::remove(gone); };  // the first yield of the run
    ConversionJob job(window);
    job.PushButton2_Click();

    EXPECT_EQ(job.lastOutcome(), RunOutcome::Done);
    const std::string reason =
        "cannot open file " + gone + ": No such file or directory\r\nin Tresko2021/08/31.";
    const auto reports = window.errorReports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_TRUE(reports[0].starts_with(reason + "Form1.PushButton2_Click at line 7"));
    EXPECT_TRUE(reports[1].starts_with(reason + "modCSV.ConvertTresko at line 3"));
    EXPECT_EQ(test::readBytes(dir.file("c.csv")), "\"Display Name\"\r\n\"C\"\r\n");
}

TEST_F(hostile_input_test, a_folder_given_as_a_file)
{
    // The console program scans a folder; the list of the window may still hold one.
    const std::string folder = dir.file("box.vcf");
    dir.write("box.vcf/inner.vcf", "FN:Inner\r\n");
    const auto scanned = convert(folder);
    EXPECT_EQ(scanned.status, 0) << scanned.err;
    EXPECT_EQ(test::readBytes(dir.file("box.vcf/inner.csv")), "Display Name\r\nInner\r\n");

    test::ScriptedWindow window;
    window.select(Control::Option10);
    window.items = {folder, dir.write("b.vcf", "FN:B\r\n")};
    ConversionJob job(window);
    job.PushButton2_Click();
    const auto reports = window.errorReports();
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(reports[0].starts_with("cannot read file " + folder + ": Is a directory\r\n"));
    EXPECT_EQ(test::readBytes(dir.file("b.csv")), "\"Display Name\"\r\n\"B\"\r\n");
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(hostile_input_test, destinations_that_cannot_be_written)
{
    constexpr const char* kAnn = "BEGIN:VCARD\r\nFN:Ann\r\nEND:VCARD\r\n";
    const std::string source = dir.write("in/ann.vcf", kAnn);
    const std::string file = dir.write("plain.txt", "x");
    for (const std::string& folder : {dir.file("missing"), file + "/sub"}) {
        SCOPED_TRACE(folder);
        const auto refused = convert(source, {"--out-dir", folder});
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.out, "Folder does not exist. Please select another folder.\n");
    }

    struct Case {
        const char* name;
        std::string target;
        const char* reason;
    };
    for (const auto& [name, target, reason] :
         {Case{"missing folder", dir.file("missing/all.csv"), "No such file or directory"},
          Case{"under a file", file + "/sub/all.csv", "Not a directory"},
          Case{"full disk", "/dev/full", "No space left on device"}}) {
        if (!fs::exists("/dev/full") && target == "/dev/full")
            continue;
        for (const char* format : {"csv", "gmail"}) {
            SCOPED_TRACE(std::string(name) + " " + format);
            const auto failed = convert(source, {"--one-csv", target, "--format", format});
            EXPECT_EQ(failed.status, 1);
            EXPECT_EQ(failed.err, "brimwell-cli: cannot write " + target + ": " + reason + "\n");
            EXPECT_EQ(failed.out, "Done.\n");
        }
    }
    EXPECT_EQ(test::readBytes(source), kAnn);
}

}  // namespace
}  // namespace brimwell
