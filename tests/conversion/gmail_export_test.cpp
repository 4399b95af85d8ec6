#include "conversion/gmail_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/scripted_window.h"
#include "support/temp_dir.h"

using namespace brimwell;

namespace {

const std::vector<std::string> kGmailHeaders = {
    "Name", "E-mail", "Notes", "Section 1 - Description", "Section 1 - Email", "Section 1 - IM",
    "Section 1 - Phone", "Section 1 - Mobile", "Section 1 - Pager", "Section 1 - Fax",
    "Section 1 - Company", "Section 1 - Title", "Section 1 - Other", "Section 1 - Address",
    "Section 2 - Description", "Section 2 - Email", "Section 2 - IM", "Section 2 - Phone",
    "Section 2 - Mobile", "Section 2 - Pager", "Section 2 - Fax", "Section 2 - Company",
    "Section 2 - Title", "Section 2 - Other", "Section 2 - Address"};

const char* const kFullContact =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Lee\r\nN:Lee;Ann;;;\r\n"
    "EMAIL;TYPE=INTERNET:ann@example.com\r\nNOTE:Likes tea\r\nTEL;TYPE=WORK:201\r\n"
    "TEL;TYPE=CELL:202\r\nTEL;TYPE=PAGER:203\r\nTEL;TYPE=HOME:204\r\nTEL;TYPE=FAX:205\r\n"
    "ADR;TYPE=WORK:;;1 Mill Road;Alton;;;\r\nADR;TYPE=HOME:;;2 Elm Lane;Alton;;;\r\n"
    "ORG:Brightwater Ltd\r\nTITLE:Engineer\r\nEND:VCARD\r\n";

// "HOME" takes the first line of the property, whatever its type.
const std::vector<std::string> kFullContactFields = {
    "Ann Lee", "ann@example.com", "Likes tea", "Home", "", "", "201", "202", "203", "", "", "", "",
    ";;1 Mill Road;Alton;;;", "Work", "", "", "201", "", "", "205", "Brightwater Ltd", "Engineer",
    "", ";;1 Mill Road;Alton;;;"};

/// A data line of the Gmail layout whose lookups all gave the empty string, comma-separated.
const std::string kEmptyGmailData = ",,,Home,,,,,,,,,,,Work,,,,,,,,,,";

std::string joined(const std::vector<std::string>& fields, const std::string& separator,
                   bool quote)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += (i > 0 ? separator : "");
        line += quote ? '"' + fields[i] + '"' : fields[i];
    }
    return line;
}

std::vector<std::string> split(const std::string& line, char separator)
{
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == separator)
            fields.emplace_back();
        else
            fields.back().push_back(c);
    }
    return fields;
}

std::size_t lineCount(const std::string& bytes)
{
    std::size_t count = 0;
    for (auto at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
        ++count;
    return count;
}

/// A window that saves per-file results to `dir`, quotes as asked.
test::ScriptedWindow windowFor(const test::TempDir& dir, bool quote)
{
    test::ScriptedWindow window;
    window.select(Control::Option9);
    window.texts[Control::Text1] = dir.path().string();
    window.checks[Control::Check9] = quote ? 1 : 0;
    return window;
}

/// The data line's fields of one vCard text in the Gmail layout, tab-separated, no quotes.
std::vector<std::string> gmailFields(const std::string& vcard)
{
    test::TempDir dir;
    test::ScriptedWindow window = windowFor(dir, false);
    ConvertVCFToGmailCSV(window, dir.write("c.vcf", vcard), "\t");
    const std::string bytes = test::readBytes(dir.file("c.csv"));
    const auto dataStart = bytes.find("\r\n") + 2;
    return split(bytes.substr(dataStart, bytes.size() - dataStart - 2), '\t');
}

const std::pair<const char*, std::string> kSeparators[] = {
    {"tab", "\t"}, {"semicolon", ";"}, {"comma", ","}, {"comma-space", ", "}, {"none", ""}};

TEST(gmail_export_test, per_file_bytes_for_every_separator)
{
    for (const auto& [name, separator] : kSeparators) {
        for (const bool quote : {false, true}) {
            test::TempDir dir;
            test::ScriptedWindow window = windowFor(dir, quote);
            dir.write("old/team.csv", "stale\r\nlines\r\nhere\r\n");
            window.texts[Control::Text1] = dir.file("old") + "/";
            ConvertVCFToGmailCSV(window, dir.write("in/team.vcf", kFullContact), separator);
            EXPECT_EQ(test::readBytes(dir.file("old/team.csv")),
                      joined(kGmailHeaders, separator, quote) + "\r\n" +
                          joined(kFullContactFields, separator, quote) + "\r\n")
                << name << (quote ? " quoted" : "");
            EXPECT_TRUE(window.messages.empty());
        }
    }
}

TEST(gmail_export_test, name_and_phone_fields)
{
    EXPECT_EQ(gmailFields("N:Doe;John;;;\r\n")[0], "Doe;John;;;");
    EXPECT_EQ(gmailFields("FN:John Doe\r\nN:Doe;John\r\n")[0], "John Doe");

    const std::vector<std::string> plain = gmailFields("TEL:555\r\n");
    const std::vector<std::string> cell = gmailFields("TEL;TYPE=CELL:1\r\n");
    for (const int column : {7, 8, 9, 18, 21})
        EXPECT_EQ(plain[column - 1], "555") << "column " << column;
    const std::vector<std::string> cellPhones = {cell[6], cell[7], cell[8], cell[17], cell[20]};
    EXPECT_EQ(cellPhones, (std::vector<std::string>{"1", "1", "", "", ""}));
}

struct FilteredCase {
    const char* name;
    std::vector<Control> boxes;
    std::string separator;
    bool quote;
    std::string vcard;
    std::string expected;  ///< header and data line
};

const FilteredCase kFilteredCases[] = {
    {"names alone", {Control::Check6}, ",", false, "FN:Ann Lee\r\n", "Name,\r\nAnn Lee,\r\n"},
    {"all four quoted, no address",
     {Control::Check3, Control::Check4, Control::Check6, Control::Check8}, ";", true,
     "FN:Ann Lee\r\nEMAIL:ann@example.com\r\nTEL;TYPE=CELL:1\r\n",
     "\"Name\";\"Address\";\"Email\";\"Phone Numbers\";\r\n"
     "\"Ann Lee\";\"\";\"ann@example.com\";\"1\";\r\n"},
    {"first phone whatever its type", {Control::Check4}, "\t", false,
     "TEL;TYPE=WORK:1\r\nTEL;TYPE=CELL:2\r\n", "Phone Numbers\t\r\n1\t\r\n"},
    {"names before phones", {Control::Check4, Control::Check6}, ", ", false,
     "TEL:2\r\nN:Lee;Ann;;;\r\n", "Name, Phone Numbers, \r\nLee;Ann;;;, 2, \r\n"},
    {"address before e-mail", {Control::Check3, Control::Check8}, ";", false,
     "EMAIL:b@example.com\r\nADR;TYPE=HOME:;;Main Street 1;Springfield;;;\r\n",
     "Address;Email;\r\n;;Main Street 1;Springfield;;;;b@example.com;\r\n"},
    {"no separator", {Control::Check6, Control::Check3}, "", false,
     "FN:Ann\r\nEMAIL:a@example.com\r\n", "NameEmail\r\nAnna@example.com\r\n"},
};

TEST(gmail_export_test, filtered_per_file_lines)
{
    for (const FilteredCase& row : kFilteredCases) {
        test::TempDir dir;
        test::ScriptedWindow window = windowFor(dir, row.quote);
        for (Control box : row.boxes)
            window.checks[box] = 1;
        ConvertVCFToGmailCSVLimit(window, dir.write("in/c.vcf", row.vcard), row.separator);
        EXPECT_EQ(test::readBytes(dir.file("c.csv")), row.expected) << row.name;
    }
}

TEST(gmail_export_test, unreadable_source_gives_empty_fields)
{
    test::TempDir dir;
    test::ScriptedWindow window = windowFor(dir, false);
    ConvertVCFToGmailCSV(window, dir.file("gone.vcf"), ",");
    const std::string data = test::readBytes(dir.file("gone.csv")).substr(
        joined(kGmailHeaders, ",", false).size() + 2);
    EXPECT_EQ(data, kEmptyGmailData + "\r\n");

    window.checks[Control::Check6] = window.checks[Control::Check4] = 1;
    ConvertVCFToGmailCSVLimit(window, dir.file("gone.vcf"), ",");
    EXPECT_EQ(test::readBytes(dir.file("gone.csv")), "Name,Phone Numbers,\r\n,,\r\n");

    ASSERT_EQ(window.errorReports().size(), 2u);
    for (const std::string& report : window.errorReports())
        EXPECT_NE(report.find("in Tresko2021/08/31.modCSV.GetVCFValue at line 1"),
                  std::string::npos);
}

TEST(gmail_export_test, per_file_without_destination_writes_nothing)
{
    test::TempDir dir;
    test::ScriptedWindow window = windowFor(dir, false);
    window.options[Control::Option9] = false;
    const std::string source = dir.write("c.vcf", "FN:Ann\r\n");
    ConvertVCFToGmailCSV(window, source, ",");
    ConvertVCFToGmailCSVLimit(window, source, ",");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_TRUE(window.messages.empty());
}

using Converter = void (*)(Window&, const std::string&, const std::string&);

TEST(gmail_export_test, combined_run_over_the_list)
{
    const std::string gmailTail = kEmptyGmailData + "\r\n";
    const std::pair<Converter, std::string> runs[] = {
        {ConvertVCFToGmailSingleCSV, joined(kGmailHeaders, ",", false) + "\r\nA" + gmailTail +
                                         "B" + gmailTail + "C" + gmailTail},
        {ConvertVCFToGmailSingleCSVLimit, "Name,\r\nA,\r\nB,\r\nC,\r\n"},
    };
    for (const auto& [convert, expected] : runs) {
        test::TempDir dir;
        test::ScriptedWindow window = windowFor(dir, false);
        window.checks[Control::Check6] = 1;
        for (const char* name : {"a", "b", "c"})
            window.items.push_back(dir.write(std::string(name) + ".vcf", std::string("FN:") +
                                   static_cast<char>(name[0] - 'a' + 'A') + "\r\n"));
        const std::string target = dir.write("all.csv", "an older run\r\nof lines\r\n");
        convert(window, target, ",");
        EXPECT_EQ(test::readBytes(target), expected);
        EXPECT_EQ(window.progressValues, (std::vector<int>{33, 66, 100}));
        EXPECT_EQ(window.progressTexts, (std::vector<std::string>{
                                            "Processing: a.vcf", "Processing: b.vcf",
                                            "Processing: c.vcf"}));
        EXPECT_TRUE(window.messages.empty());
    }
}

TEST(gmail_export_test, combined_run_reads_the_boxes_for_each_file)
{
    test::TempDir dir;
    test::ScriptedWindow window = windowFor(dir, true);
    window.checks[Control::Check6] = window.checks[Control::Check4] = 1;
    window.items = {dir.write("a.vcf", "FN:A\r\nTEL:1\r\n"), dir.write("b.vcf", "FN:B\r\nTEL:2\r\n")};
    // A click during the second file's lookups clears the quotes and the phone box.
    window.onYield = [&] {
        if (window.progressTexts.size() == 2)
            window.checks[Control::Check9] = window.checks[Control::Check4] = 0;
    };
    ConvertVCFToGmailSingleCSVLimit(window, dir.file("all.csv"), ";");
    EXPECT_EQ(test::readBytes(dir.file("all.csv")),
              "\"Name\";\"Phone Numbers\";\r\n\"A\";\"1\";\r\n\"B\";\r\n");

    window.checks[Control::Check9] = 1;
    window.progressTexts.clear();
    ConvertVCFToGmailSingleCSV(window, dir.file("all.csv"), ";");
    const std::string bytes = test::readBytes(dir.file("all.csv"));
    EXPECT_EQ(bytes.substr(bytes.find("\r\n") + 2, 8), "\"A\";\"\";\"");
    EXPECT_EQ(bytes.substr(bytes.rfind("\r\nB;") + 2, 6), "B;;;Ho");
}

TEST(gmail_export_test, corpus_runs_without_reports)
{
    const std::filesystem::path corpus = BRIMWELL_CORPUS_DIR;
    if (!std::filesystem::is_directory(corpus))
        GTEST_SKIP() << "no corpus at " << corpus;
    test::TempDir dir;
    test::ScriptedWindow window = windowFor(dir, true);
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        if (entry.path().extension() == ".vcf")
            window.items.push_back(entry.path().string());
    ASSERT_FALSE(window.items.empty());
    for (Control box : {Control::Check3, Control::Check4, Control::Check6, Control::Check8})
        window.checks[box] = 1;
    for (Converter convert : {ConvertVCFToGmailSingleCSV, ConvertVCFToGmailSingleCSVLimit}) {
        convert(window, dir.file("all.csv"), ",");
        EXPECT_EQ(lineCount(test::readBytes(dir.file("all.csv"))), window.items.size() + 1);
    }
    EXPECT_TRUE(window.errorReports().empty());
}

}  // namespace
