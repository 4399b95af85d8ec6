// One CSV per vCard file in both layouts, where it goes, and the Gmail layout's one CSV
// for the list.
#include <gtest/gtest.h>

#include <filesystem>

#include "conversion/gmail_export.h"
#include "conversion/output_path.h"
#include "conversion/standard_per_file.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

using enum Control;

namespace fs = std::filesystem;

/// The Gmail layout's header, '|' between the names: name, e-mail and notes, then two
/// sections of eleven columns.
std::string gmailHeader()
{
    std::string names = "Name|E-mail|Notes";
    for (const char* section : {"|Section 1 - ", "|Section 2 - "})
        for (const char* name : {"Description", "Email", "IM", "Phone", "Mobile", "Pager", "Fax",
                                 "Company", "Title", "Other", "Address"})
            names += section + std::string(name);
    return names;
}

/// `fields` ('|' between them) joined by `separator`, each in quotes when `quote`, and CR LF.
std::string joined(std::string_view fields, const std::string& separator, bool quote)
{
    std::string line;
    for (std::size_t at = 0, end = 0; end != std::string_view::npos; at = end + 1) {
        end = fields.find('|', at);
        const std::string field(fields.substr(at, end - at));
        line += (at == 0 ? "" : separator) + (quote ? '"' + field + '"' : field);
    }
    return line + "\r\n";
}

using Converter = void (*)(Window&, const std::string&, const std::string&);

TEST(per_file_test, writes_header_and_data_lines)
{
    const char* const full =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Lee\r\nN:Lee;Ann;;;\r\nEMAIL;TYPE=INTERNET:ann@x\r\n"
        "NOTE:Likes tea\r\nTEL;TYPE=WORK:201\r\nTEL;TYPE=CELL:202\r\nTEL;TYPE=PAGER:203\r\n"
        "TEL;TYPE=HOME:204\r\nTEL;TYPE=FAX:205\r\nADR;TYPE=WORK:;;1 Mill Road;Alton;;;\r\n"
        "ADR;TYPE=HOME:;;2 Elm Lane;Alton;;;\r\nORG:Brightwater Ltd\r\nTITLE:Engineer\r\n"
        "END:VCARD\r\n";
    // "HOME" takes the first line of the property, whatever its type.
    const std::string_view fields =
        "Ann Lee|ann@x|Likes tea|Home|||201|202|203|||||;;1 Mill Road;Alton;;;|"
        "Work|||201|||205|Brightwater Ltd|Engineer||;;1 Mill Road;Alton;;;";
    struct Case {
        Converter convert;
        std::vector<Control> ticked;  ///< Check9 for quotes
        std::string separator;
        const char* vcard;
        std::string expected;
        const char* report = nullptr;  ///< where a missing source is reported
        std::vector<int> progress = {};
    };
    const Case cases[] = {
        // The whole file is one contact; e-mails and phones count only with parameters.
        {ConvertTresko,
         test::boxes(Check9),
         ", ",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nEMAIL:no\r\nEMAIL;INTERNET:a1\r\n"
         "END:VCARD\r\nBEGIN:VCARD\r\nFN:B\r\nTEL:no\r\nEND:VCARD\r\n",
         "\"Last Name\", \"First Name\", \"Email Address\", \"Display Name\"\r\n"
         "\"Lee\", \"Ann\", \"a1\", \"B\"\r\n",
         nullptr,
         {0, 33, 66, 100, 0, 33, 66, 100}},
        {ConvertTresko, test::boxes(Check9), ",", "\x01\xff junk\nmore", "\r\n\r\n"},
        {ConvertTresko, test::boxes(), ",", nullptr, "\r\n\r\n",
         ".modCSV.ConvertTresko at line 3\r\r"},
        {ConvertTreskoLimit, test::boxes(Check6, Check4), ";",
         "TEL;CELL:1\r\nFN:Ann\r\nN:Lee;Ann\r\nEMAIL:a\r\n",
         "Mobile Phone;Last Name;First Name\r\n1;Lee;Ann\r\n"},
        {ConvertVCFToGmailCSV, test::boxes(), "\t", full,
         joined(gmailHeader(), "\t", false) + joined(fields, "\t", false)},
        {ConvertVCFToGmailCSV, test::boxes(Check9), "", full,
         joined(gmailHeader(), "", true) + joined(fields, "", true)},
        // An unreadable source is reported once, not at every lookup.
        {ConvertVCFToGmailCSV, test::boxes(), ",", nullptr,
         joined(gmailHeader(), ",", false) + ",,,Home,,,,,,,,,,,Work,,,,,,,,,,\r\n",
         ".modCSV.GetVCFValue at line 1\r\r"},
        // Filtered: a column per ticked box, in the order name, address, e-mail, phone.
        {ConvertVCFToGmailCSVLimit, test::boxes(Check3, Check4, Check6, Check8, Check9), ";",
         "TEL;TYPE=CELL:1\r\nEMAIL:a@x\r\nADR;TYPE=HOME:;;Main St 1;Town;;;\r\nFN:Ann Lee\r\n",
         "\"Name\";\"Address\";\"Email\";\"Phone Numbers\";\r\n"
         "\"Ann Lee\";\";;Main St 1;Town;;;\";\"a@x\";\"1\";\r\n"},
        {ConvertVCFToGmailCSVLimit, test::boxes(Check4, Check6), "",
         "TEL;TYPE=WORK:1\r\nTEL;TYPE=CELL:2\r\nN:Lee;Ann;;;\r\n",
         "NamePhone Numbers\r\nLee;Ann;;;1\r\n"},
        {ConvertVCFToGmailCSVLimit, test::boxes(Check4, Check6), ",", nullptr,
         "Name,Phone Numbers,\r\n,,\r\n", ".modCSV.GetVCFValue at line 1\r\r"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.expected);
        test::TempDir dir;
        test::ScriptedWindow window;
        window.texts[Text1] = dir.file("out") + "/";
        window.checks[Check9] = 0;
        for (Control box : row.ticked)
            window.checks[box] = 1;
        dir.write("out/c.csv", "an older run\r\nof lines\r\nhere\r\n");
        const auto source = row.vcard ? dir.write("in/c.vcf", row.vcard) : dir.file("in/c.vcf");
        row.convert(window, source, row.separator);
        EXPECT_EQ(test::readBytes(dir.file("out/c.csv")), row.expected);
        EXPECT_EQ(window.progressValues, row.progress);
        if (!row.progress.empty()) {
            EXPECT_EQ(window.progressText, "Processing: " + source);
        }
        ASSERT_EQ(window.messages.size(), row.report ? 1u : 0u);
        for (const std::string& report : window.errorReports())
            EXPECT_EQ(report.find("cannot open file " + source +
                                  ": No such file or directory\r\n"
                                  "in Tresko2021/08/31" +
                                  row.report),
                      0u);
    }
}

// The name is the FN value, else the N value.
TEST(gmail_list_test, one_line_per_file)
{
    const std::string tail = ",,,Home,,,,,,,,,,,Work,,,,,,,,,,\r\n";
    const std::pair<Converter, std::string> runs[] = {
        {ConvertVCFToGmailSingleCSV,
         joined(gmailHeader(), ",", false) + "A" + tail + "B" + tail + "C" + tail},
        {ConvertVCFToGmailSingleCSVLimit, "Name,\r\nA,\r\nB,\r\nC,\r\n"},
    };
    for (const auto& [convert, expected] : runs) {
        test::TempDir dir;
        test::ScriptedWindow window;
        window.checks[Check9] = 0;
        window.checks[Check6] = 1;
        window.items = {dir.write("a.vcf", "FN:A\r\n"), dir.write("b.vcf", "N:B\r\n"),
                        dir.write("c.vcf", "N:X\r\nFN:C\r\n")};
        const std::string target = dir.write("all.csv", "an older run\r\nof lines\r\n");
        convert(window, target, ",");
        EXPECT_EQ(test::readBytes(target), expected);
        EXPECT_EQ(window.progressValues, (std::vector<int>{33, 66, 100}));
        EXPECT_EQ(window.progressText, "Processing: c.vcf");
        EXPECT_TRUE(window.messages.empty());
    }
}

TEST(gmail_list_test, reads_the_boxes_for_each_file)
{
    test::TempDir dir;
    test::ScriptedWindow window;
    window.checks[Check6] = window.checks[Check4] = 1;
    window.items = {dir.write("a.vcf", "FN:A\r\nTEL:1\r\n"),
                    dir.write("b.vcf", "FN:B\r\nTEL:2\r\n")};
    // A click during the second file's lookups clears the quotes and the phone box.
    window.onYield = [&] {
        if (window.progressTexts.size() == 2)
            window.checks[Check9] = window.checks[Check4] = 0;
    };
    ConvertVCFToGmailSingleCSVLimit(window, dir.file("all.csv"), ";");
    EXPECT_EQ(test::readBytes(dir.file("all.csv")),
              "\"Name\";\"Phone Numbers\";\r\n\"A\";\"1\";\r\n\"B\";\r\n");
}

TEST(output_path_test, per_file_target_and_no_file_without_a_destination)
{
    test::TempDir dir;
    test::ScriptedWindow window;  // Option9: the Text1 folder
    window.texts[Text1] = "/out";
    EXPECT_EQ(perFileTarget(window, "/in/team.vcf"), "/out/team.csv");
    window.texts[Text1] = "/out/";
    EXPECT_EQ(perFileTarget(window, "/in/team.vcf"), "/out/team.csv");
    window.select(Option10);
    EXPECT_EQ(perFileTarget(window, "/in/team.vcf"), "/in/team.csv");
    window.options[Option10] = false;
    EXPECT_EQ(perFileTarget(window, "/in/team.vcf"), "");
    window.checks[Check6] = 1;
    const std::string source = dir.write("c.vcf", "FN:Ann\r\nN:Lee;Ann\r\n");
    for (auto convert :
         {ConvertTresko, ConvertTreskoLimit, ConvertVCFToGmailCSV, ConvertVCFToGmailCSVLimit})
        convert(window, source, ",");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
    EXPECT_TRUE(window.messages.empty());
}

}  // namespace
}  // namespace brimwell
