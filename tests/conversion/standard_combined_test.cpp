// Splitting a text into contacts, and the standard layout's one CSV for the whole list.
#include "conversion/standard_combined.h"

#include <gtest/gtest.h>

#include <optional>

#include "conversion/combined_columns.h"
#include "conversion/multi_contact_split.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

using Texts = std::vector<std::string>;

// A replayed cut shows what the cut showed, in both progress wordings.
TEST(multi_contact_split_test, cuts_the_text_into_contacts_and_replays_the_cut)
{
    struct Case {
        std::string text;
        long count;
        Texts contacts;
    };
    // Leading text belongs to the first contact, text between to none; no end, no contact.
    const Case cases[] = {
        {"junk\nbegin:vcard\r\nFN:A\r\nEnd:vCard\r\nstray\nBegin:VCard\nend:vcard\n"
         "BEGIN:VCARD\nFN:C\n",
         2,
         {"junk\nbegin:vcard\r\nFN:A\r\nEnd:vCard", "Begin:VCard\nend:vcard"}},
        {"BEGIN:VCARD\nEND:VCARD\nBEGIN:VCARD\nFN:B\nEND:VCARD\n",
         2,
         {"BEGIN:VCARD\nEND:VCARD", "BEGIN:VCARD\nFN:B\nEND:VCARD"}},
        {"BEGIN:VCARD\nFN:A\nEND:VCARD", 1, {"BEGIN:VCARD\nFN:A\nEND:VCARD"}},
        {"just some text", 0, {""}},
        {"x", 0, {""}},
        {":END:VCARD", 1, {":END:VCARD"}},
        {"", 0, {""}},
    };
    for (const Case& row : cases) {
        for (const Control format : {Control::Option1, Control::Option2}) {
            SCOPED_TRACE(row.text);
            test::ScriptedWindow cutting, replaying;
            cutting.select(format);
            replaying.select(format);
            const ContactCut cut = cutContacts(cutting, row.text, "/t.vcf");
            EXPECT_EQ(cut.count, row.count);
            EXPECT_EQ(Texts(cut.contacts.begin(), cut.contacts.end()), row.contacts);
            replayCut(replaying, "/t.vcf", cut);
            EXPECT_EQ(replaying.progressTexts, cutting.progressTexts);
            EXPECT_EQ(replaying.refreshes, cutting.refreshes);
            EXPECT_EQ(replaying.informationTexts(), cutting.informationTexts());
            EXPECT_EQ(cutting.messages.size(), row.text.empty() ? 1u : 0u);
        }
    }
}

TEST(multi_contact_split_test, progress_texts_name_the_contact_and_the_file)
{
    test::ScriptedWindow window;
    cutContacts(window, "BEGIN:VCARD\nEND:VCARD\nBEGIN:VCARD\nEND:VCARD\n", "/t.vcf");
    window.select(Control::Option2);
    cutContacts(window, "BEGIN:VCARD\nFN:B\nEND:VCARD\n", "/t.vcf");
    SplitContacts = {"left over from an earlier file"};
    EXPECT_EQ(SplitMultiVCF(window, "", "/in/empty.vcf", false), 0);
    EXPECT_EQ(SplitContacts, Texts{""});
    EXPECT_EQ(window.progressTexts,
              (Texts{"Processing contact 0 in file /t.vcf", "Processing contact 1 in file /t.vcf",
                     "Processing file /t.vcf", "Processing contacts in file /t.vcf",
                     "Processing file /t.vcf"}));

    // The number's digits grow in place of the old ones: 9, 10, 11.
    std::string twelve;
    for (int i = 0; i < 12; ++i)
        twelve += "BEGIN:VCARD\nEND:VCARD\n";
    test::ScriptedWindow counting;
    cutContacts(counting, twelve, "/t.vcf");
    ASSERT_EQ(counting.progressTexts.size(), 13u);
    EXPECT_EQ(counting.progressTexts[9], "Processing contact 9 in file /t.vcf");
    EXPECT_EQ(counting.progressTexts[10], "Processing contact 10 in file /t.vcf");
    EXPECT_EQ(counting.progressTexts[11], "Processing contact 11 in file /t.vcf");
}

const char* const kA = "BEGIN:VCARD\nFN:A\nEND:VCARD\n";
const char* const kB = "BEGIN:VCARD\nN:Lee;Bo\nEND:VCARD\n";
const char* const kNote =
    "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\nNOTE:one=0D=0A=two\n"
    "END:VCARD";

TEST(standard_combined_test, header_of_every_column_and_a_line_per_contact)
{
    struct Case {
        bool filtered;
        std::string separator;
        std::vector<Control> ticked;                             ///< Check9 for quotes
        std::vector<std::pair<const char*, const char*>> files;  ///< name, text (none: missing)
        std::string expected;
        std::size_t reports = 0;
        std::optional<Control> clicked = {};  ///< ticked at the second yield, in pass 2
    };
    // Pass 1 keeps the last file's lines and widens them in pass 2.
    const Case cases[] = {
        // Numbered columns restart with each contact; a file without contacts: an empty line.
        {false,
         ", ",
         {},
         {{"a.vcf", "BEGIN:VCARD\r\nN:Lee;Ann\r\nEMAIL;TYPE=INTERNET:a1\r\nEND:VCARD\r\n"},
          {"c.vcf", "not a vcard"},
          {"b.vcf",
           "BEGIN:VCARD\nEMAIL:c1\nEND:VCARD\nBEGIN:VCARD\nFN:Bob\nEMAIL:b1\nEMAIL:b2\n"
           "END:VCARD\n"}},
         "Last Name, First Name, Email Address, Display Name, Email Address 2\r\n"
         "Lee, Ann, a1, , \r\n, , , , \r\n, , c1, , \r\n, , b1, Bob, b2\r\n"},
        // A later field of a column overwrites the earlier.
        {false,
         "\t",
         {Control::Check9},
         {{"team.vcf",
           "BEGIN:VCARD\nEND:VCARD\nBEGIN:VCARD\nFN:A\nTEL;CELL:1\nTEL;CELL:2\n"
           "END:VCARD\nBEGIN:VCARD\nFN:C\r\nNOTE:x\r\nEND:VCARD"}},
         "\"Display Name\"\t\"Mobile Phone\"\t\"Notes\"\r\n\"\"\t\"\"\t\"\"\r\n"
         "\"A\"\t\"2\"\t\"\"\r\n\"C\"\t\"\"\t\"x\"\r\n"},
        // An unreadable file reads as an empty text, reported in both passes.
        {false, ",", {}, {{"gone.vcf", nullptr}, {"a.vcf", kA}}, "Display Name\r\n\r\nA\r\n", 2},
        {false,
         ",",
         {},
         {{"a.vcf", kA}, {"b.vcf", kB}, {"b.vcf", kB}},
         "Display Name,Last Name,First Name\r\nA,,\r\n,Lee,Bo\r\n,Lee,Bo\r\n"},
        {false,
         ",",
         {},
         {{"a.vcf", kA}, {"b.vcf", kB}, {"b.vcf", kB}, {"gone.vcf", nullptr}},
         "Display Name,Last Name,First Name\r\nA,,\r\n,Lee,Bo\r\n,Lee,Bo\r\n,,\r\n",
         2},
        {true,
         ";",
         {Control::Check4, Control::Check3},
         {{"a.vcf", "BEGIN:VCARD\nFN:Ann\nTEL;CELL:1\nN:Lee;Ann\nEMAIL:a\nEND:VCARD\n"}},
         "Mobile Phone;Email Address\r\n1;a\r\n"},
        // No column found: the older file stays.
        {true, ",", {Control::Check6}, {{"a.vcf", kA}}, "an older run\r\n"},
        // The kept lines serve pass 2 only while nothing that shapes them has changed.
        {false,
         ",",
         {},
         {{"n.vcf", kNote}},
         "Display Name,Notes\r\n\"A\",\"\"\r\n\"B\",\"onetwo\"\r\n",
         0,
         Control::Check9},
        {false,
         ",",
         {},
         {{"n.vcf", kNote}},
         "Display Name,Notes\r\nA,\r\nB,one two\r\n",
         0,
         Control::Check10},
        // A separator holding a line feed: the kept lines cannot be told apart, so the file
        // is read again.
        {false,
         "\n",
         {},
         {{"s.vcf", "BEGIN:VCARD\nFN:A\nN:Lee;Bo\nEND:VCARD\nBEGIN:VCARD\nEMAIL:e\nEND:VCARD\n"}},
         "Display Name\nLast Name\nFirst Name\nEmail Address\r\nA\nLee\nBo\n\r\n\n\n\ne\r\n"},
        // A box ticked in pass 2 has no column: its fields have no place.
        {true,
         ",",
         {Control::Check4},
         {{"n.vcf", "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nTEL;CELL:1\nEMAIL:e\nEND:VCARD"}},
         "Mobile Phone\r\n\r\n1\r\n",
         0,
         Control::Check3},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.expected);
        test::TempDir dir;
        test::ScriptedWindow window;
        window.checks[Control::Check9] = 0;
        for (Control box : row.ticked)
            window.checks[box] = 1;
        for (const auto& [name, text] : row.files)
            window.items.push_back(text ? dir.write(name, text) : dir.file(name));
        const std::string csv = dir.write("all.csv", "an older run\r\n");
        // The second yield is pass 2's, after the header line is written.
        window.onYield = [&] {
            if (window.yields == 2 && row.clicked)
                window.checks[*row.clicked] = 1;
        };
        auto convert = row.filtered ? ConvertVCFToSingleCSVLimit : ConvertVCFToSingleCSV;
        convert(window, csv, row.separator, false, "");
        EXPECT_EQ(test::readBytes(csv), row.expected);
        ASSERT_EQ(window.errorReports().size(), row.reports);
        for (const std::string& report : window.errorReports())
            EXPECT_NE(report.find(".ConvertVCFToSingleCSV at line 3\r\r"), std::string::npos);
    }
}

// Column names are compared eight characters at a time: a difference in any place, on
// either side of a multiple of eight, counts.
TEST(standard_combined_test, column_names_compare_exactly)
{
    for (const std::size_t length : {0, 1, 7, 8, 9, 15, 16, 17, 24, 25}) {
        const std::string name(length, 'a');
        EXPECT_TRUE(HeaderList::sameText(name, std::string(length, 'a')));
        EXPECT_FALSE(HeaderList::sameText(name, name + "a"));
        for (std::size_t at = 0; at < length; ++at) {
            std::string other = name;
            other[at] = 'b';
            EXPECT_FALSE(HeaderList::sameText(name, other)) << length << " at " << at;
        }
    }
}

// Kept lines far past a block, most of them built before a column appeared: widened
// wherever the blocks they are read back in end, the others passed on as they are.
TEST(standard_combined_test, kept_lines_widen_across_blocks)
{
    constexpr int kContacts = 30000;
    constexpr int kEmailFrom = 20000;  // "Email Address" appears with this contact
    std::string vcf;
    for (int i = 0; i < kContacts; ++i) {
        vcf += "BEGIN:VCARD\nFN:Contact number " + std::to_string(i) + "\n";
        if (i >= kEmailFrom)
            vcf += "EMAIL:e" + std::to_string(i) + "\n";
        vcf += i + 1 == kContacts ? "TEL;CELL:9\nEND:VCARD\n" : "END:VCARD\n";
    }
    for (const int quotes : {0, 1}) {
        SCOPED_TRACE(quotes);
        const std::string q = quotes == 1 ? "\"" : "";
        std::string expected = q + "Display Name" + q + ";" + q + "Email Address" + q + ";" + q +
                               "Mobile Phone" + q + "\r\n";
        for (int i = 0; i < kContacts; ++i) {
            const std::string email = i >= kEmailFrom ? "e" + std::to_string(i) : "";
            const std::string phone = i + 1 == kContacts ? "9" : "";
            expected += q + "Contact number " + std::to_string(i) + q + ";" + q + email + q + ";" +
                        q + phone + q + "\r\n";
        }
        test::TempDir dir;
        test::ScriptedWindow window;
        window.checks[Control::Check9] = quotes;
        window.items.push_back(dir.write("many.vcf", vcf));
        ConvertVCFToSingleCSV(window, dir.file("all.csv"), ";", false, "");
        EXPECT_TRUE(test::readBytes(dir.file("all.csv")) == expected);
    }
}

TEST(standard_combined_test, progress_per_file_and_pass_and_a_contact_given_as_text)
{
    test::TempDir dir;
    test::ScriptedWindow window;
    window.checks[Control::Check9] = 0;
    for (const char* name : {"a.vcf", "b.vcf", "c.vcf"})
        window.items.push_back(dir.write(name, kA));
    ConvertVCFToSingleCSV(window, dir.file("all.csv"), ",", false, "");
    EXPECT_EQ(window.progressValues, (std::vector<int>{33, 66, 100, 33, 66, 100}));
    EXPECT_EQ(window.progressText, "Processing: c.vcf");
    // The text is converted under the first item's path; each pass ends at the second.
    window.progressValues.clear();
    ConvertVCFToSingleCSV(window, dir.file("all.csv"), ",", true,
                          "BEGIN:VCARD\nFN:Given\nEMAIL:g\nEND:VCARD");
    EXPECT_EQ(test::readBytes(dir.file("all.csv")), "Display Name,Email Address\r\nGiven,g\r\n");
    EXPECT_EQ(window.progressValues, (std::vector<int>{33, 66, 33, 66}));
}

}  // namespace
}  // namespace brimwell
