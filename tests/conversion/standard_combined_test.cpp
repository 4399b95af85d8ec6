// Splitting a text into contacts, and the standard layout's one CSV for the whole list.
#include "conversion/standard_combined.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "conversion/gmail_export.h"
#include "conversion/multi_contact_split.h"
#include "conversion/standard_per_file.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

using enum Control;

using Texts = std::vector<std::string>;

/// Many contacts of varied length, markers in mixed letter case, text between them: every
/// block size below puts a block's end inside a marker somewhere.
std::string manyContacts()
{
    std::string text = "junk before\r\n";
    for (int i = 0; i < 40; ++i) {
        text += i % 3 == 0 ? "begin:vcard\r\n" : "BEGIN:VCARD\r\n";
        text += "FN:" + std::string(static_cast<std::size_t>(i % 7), 'a') + "\r\nNOTE:x:y\r\n";
        text += i % 4 == 0 ? "End:VCard" : "END:VCARD";
        text += i % 5 == 0 ? "\r\nstray:line\r\n" : "\r\n";
    }
    return text + "BEGIN:VCARD\r\nFN:no end\r\n";
}

// A replay of a cut, and a cut of the file as it is read wherever its blocks end, hand on
// the same contacts and show the same progress texts and message as the cut of the whole
// text, in both progress wordings.
TEST(multi_contact_split_test, cuts_the_text_into_contacts_replayed_or_streamed)
{
    struct Case {
        std::string text;
        long count;
        std::optional<Texts> contacts;
    };
    // Leading text belongs to the first contact, text between to none; no end, no contact.
    const Case cases[] = {
        {"junk\nbegin:vcard\r\nFN:A\r\nEnd:vCard\r\nstray\nBegin:VCard\nend:vcard\n"
         "BEGIN:VCARD\nFN:C\n",
         2, Texts{"junk\nbegin:vcard\r\nFN:A\r\nEnd:vCard", "Begin:VCard\nend:vcard"}},
        {"BEGIN:VCARD\nEND:VCARD\nBEGIN:VCARD\nFN:B\nEND:VCARD\n", 2,
         Texts{"BEGIN:VCARD\nEND:VCARD", "BEGIN:VCARD\nFN:B\nEND:VCARD"}},
        {"BEGIN:VCARD\nFN:A\nEND:VCARD", 1, Texts{"BEGIN:VCARD\nFN:A\nEND:VCARD"}},
        {"just some text", 0, Texts{""}},
        {":END:VCARD", 1, Texts{":END:VCARD"}},
        {"", 0, Texts{""}},
        {manyContacts(), 40, std::nullopt},
    };
    test::TempDir dir;
    for (const Case& row : cases) {
        const std::string path = dir.write("t.vcf", row.text);
        for (const Control wording : {Option1, Option2}) {
            SCOPED_TRACE(row.text.substr(0, 20));
            test::ScriptedWindow whole, other;
            whole.select(wording);
            const ContactCut cut = cutContacts(whole, row.text, path);
            const Texts contacts(cut.contacts.begin(), cut.contacts.end());
            EXPECT_EQ(cut.count, row.count);
            if (row.contacts) {
                EXPECT_EQ(contacts, *row.contacts);
            }
            EXPECT_EQ(whole.messages.size(), row.text.empty() ? 1u : 0u);
            const auto showsTheSame = [&] {
                EXPECT_EQ(other.progressTexts, whole.progressTexts);
                EXPECT_EQ(other.refreshes, whole.refreshes);
                EXPECT_EQ(other.informationTexts(), whole.informationTexts());
            };
            other.select(wording);
            replayCut(other, path, cut);
            showsTheSame();
            for (const std::size_t block : {1, 2, 3, 5, 8, 9, 10, 11, 13, 64, 4096}) {
                SCOPED_TRACE("in blocks of " + std::to_string(block));
                other = test::ScriptedWindow();
                other.select(wording);
                TextStream stream(path, block);
                std::string buffer;
                Texts handed;
                const ContactCut streamed =
                    cutContacts(other, stream, path, buffer,
                                [&](std::string_view c) { handed.emplace_back(c); });
                EXPECT_EQ(handed, contacts);
                EXPECT_EQ(streamed.count, cut.count);
                EXPECT_EQ(streamed.progressSteps, cut.progressSteps);
                EXPECT_EQ(streamed.emptyText, cut.emptyText);
                showsTheSame();
                if (row.text.size() > block + 1000) {  // a block and a contact, not the whole text
                    EXPECT_LT(buffer.size(), block + 100);
                }
            }
        }
    }
}

TEST(multi_contact_split_test, progress_texts_name_the_contact_and_the_file)
{
    test::ScriptedWindow window;
    cutContacts(window, "BEGIN:VCARD\nEND:VCARD\nBEGIN:VCARD\nEND:VCARD\n", "/t.vcf");
    window.select(Option2);
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
    for (int i : {9, 10, 11})
        EXPECT_EQ(counting.progressTexts[i],
                  "Processing contact " + std::to_string(i) + " in file /t.vcf");
}

// The list remembers where the names it was asked for lived; whatever lives at such an
// address later, and whatever was dropped from the list, it answers by the text alone.
/// What a combined run wrote and showed.
struct Outcome {
    std::string csv;
    Texts progressTexts, reports, information;
    std::vector<int> progressValues;
};

/// One combined run over `files` (full paths) into the folder's all.csv, which holds an
/// older run first.
struct CombinedRun {
    Texts files;
    RuleSet rules = RuleSet::All;
    std::vector<Control> ticked = {};  ///< Check9 for quotes
    std::string separator = ",";
    std::optional<Control> clicked = {};  ///< ticked at the second yield, in pass 2

    /// Keep runs the procedure of `rules`, Decline the converter behind it.
    Outcome operator()(const test::TempDir& dir, LastFileKeeping keeping) const
    {
        test::ScriptedWindow window;
        window.checks[Check9] = 0;
        for (Control box : ticked)
            window.checks[box] = 1;
        window.items = files;
        const std::string csv = dir.write("all.csv", "an older run\r\n");
        // The second yield is pass 2's, after the header line is written.
        window.onYield = [&] {
            if (window.yields == 2 && clicked)
                window.checks[*clicked] = 1;
        };
        if (keeping == LastFileKeeping::Decline)
            convertCombined(window, csv, separator, rules, false, "", keeping);
        else if (rules == RuleSet::All)
            ConvertVCFToSingleCSV(window, csv, separator, false, "");
        else
            ConvertVCFToSingleCSVLimit(window, csv, separator, false, "");
        return {test::readBytes(csv), window.progressTexts, window.errorReports(),
                window.informationTexts(), window.progressValues};
    }
};

/// Keeping the last file's lines in pass 1 is a speed-up only: with and without it a run
/// writes the same bytes and shows the same progress and messages. Returns the kept run.
Outcome keptAndDeclined(const CombinedRun& run, const test::TempDir& dir)
{
    const Outcome kept = run(dir, LastFileKeeping::Keep);
    const Outcome declined = run(dir, LastFileKeeping::Decline);
    EXPECT_TRUE(kept.csv == declined.csv);
    EXPECT_EQ(kept.progressTexts, declined.progressTexts);
    EXPECT_EQ(kept.progressValues, declined.progressValues);
    EXPECT_EQ(kept.reports, declined.reports);
    EXPECT_EQ(kept.information, declined.information);
    return kept;
}

const char* const kA = "BEGIN:VCARD\nFN:A\nEND:VCARD\n";
const char* const kB = "BEGIN:VCARD\nN:Lee;Bo\nEND:VCARD\n";
const char* const kNote =
    "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\nNOTE:one=0D=0A=two\n"
    "END:VCARD";

TEST(standard_combined_test, header_of_every_column_and_a_line_per_contact)
{
    struct Case {
        RuleSet rules;
        std::string separator;
        std::vector<Control> ticked;                             ///< Check9 for quotes
        std::vector<std::pair<const char*, const char*>> files;  ///< name, text (none: missing)
        std::string expected;
        std::size_t reports = 0;
        std::optional<Control> clicked = {};  ///< ticked at the second yield, in pass 2
    };
    constexpr auto kAll = RuleSet::All;
    constexpr auto kFiltered = RuleSet::Filtered;
    // Pass 1 keeps the last file's lines and widens them in pass 2.
    const Case cases[] = {
        // Numbered columns restart with each contact; a file without contacts: an empty line.
        {kAll,
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
        {kAll,
         "\t",
         {Check9},
         {{"team.vcf",
           "BEGIN:VCARD\nEND:VCARD\nBEGIN:VCARD\nFN:A\nTEL;CELL:1\nTEL;CELL:2\n"
           "END:VCARD\nBEGIN:VCARD\nFN:C\r\nNOTE:x\r\nEND:VCARD"}},
         "\"Display Name\"\t\"Mobile Phone\"\t\"Notes\"\r\n\"\"\t\"\"\t\"\"\r\n"
         "\"A\"\t\"2\"\t\"\"\r\n\"C\"\t\"\"\t\"x\"\r\n"},
        // An unreadable file reads as an empty text, reported in both passes.
        {kAll, ",", {}, {{"gone.vcf", nullptr}, {"a.vcf", kA}}, "Display Name\r\n\r\nA\r\n", 2},
        {kAll,
         ",",
         {},
         {{"a.vcf", kA}, {"b.vcf", kB}, {"b.vcf", kB}, {"gone.vcf", nullptr}},
         "Display Name,Last Name,First Name\r\nA,,\r\n,Lee,Bo\r\n,Lee,Bo\r\n,,\r\n",
         2},
        {kFiltered,
         ";",
         {Check4, Check3},
         {{"a.vcf", "BEGIN:VCARD\nFN:Ann\nTEL;CELL:1\nN:Lee;Ann\nEMAIL:a\nEND:VCARD\n"}},
         "Mobile Phone;Email Address\r\n1;a\r\n"},
        // No column found: the older file stays.
        {kFiltered, ",", {Check6}, {{"a.vcf", kA}}, "an older run\r\n"},
        // The kept lines serve pass 2 only while nothing that shapes them has changed.
        {kAll,
         ",",
         {},
         {{"n.vcf", kNote}},
         "Display Name,Notes\r\n\"A\",\"\"\r\n\"B\",\"onetwo\"\r\n",
         0,
         Check9},
        {kAll,
         ",",
         {},
         {{"n.vcf", kNote}},
         "Display Name,Notes\r\nA,\r\nB,one two\r\n",
         0,
         Check10},
        // A separator holding a line feed: the kept lines cannot be told apart, so the file
        // is read again.
        {kAll,
         "\n",
         {},
         {{"s.vcf", "BEGIN:VCARD\nFN:A\nN:Lee;Bo\nEND:VCARD\nBEGIN:VCARD\nEMAIL:e\nEND:VCARD\n"}},
         "Display Name\nLast Name\nFirst Name\nEmail Address\r\nA\nLee\nBo\n\r\n\n\n\ne\r\n"},
        // A box ticked in pass 2 has no column: its fields have no place.
        {kFiltered,
         ",",
         {Check4},
         {{"n.vcf", "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nTEL;CELL:1\nEMAIL:e\nEND:VCARD"}},
         "Mobile Phone\r\n\r\n1\r\n",
         0,
         Check3},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.expected);
        test::TempDir dir;
        CombinedRun run{{}, row.rules, row.ticked, row.separator, row.clicked};
        for (const auto& [name, text] : row.files)
            run.files.push_back(text ? dir.write(name, text) : dir.file(name));
        const Outcome outcome = keptAndDeclined(run, dir);
        EXPECT_EQ(outcome.csv, row.expected);
        ASSERT_EQ(outcome.reports.size(), row.reports);
        for (const std::string& report : outcome.reports)
            EXPECT_NE(report.find(".ConvertVCFToSingleCSV at line 3\r\r"), std::string::npos);
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
    test::TempDir dir;
    const std::string source = dir.write("many.vcf", vcf);
    for (const bool quotes : {false, true}) {
        SCOPED_TRACE(quotes);
        const std::string q = quotes ? "\"" : "";
        const auto line = [&](const std::string& a, const std::string& b, const std::string& c) {
            return q + a + q + ";" + q + b + q + ";" + q + c + q + "\r\n";
        };
        std::string expected = line("Display Name", "Email Address", "Mobile Phone");
        for (int i = 0; i < kContacts; ++i)
            expected +=
                line("Contact number " + std::to_string(i),
                     i >= kEmailFrom ? "e" + std::to_string(i) : "", i + 1 == kContacts ? "9" : "");
        const CombinedRun run{
            {source}, RuleSet::All, quotes ? std::vector{Check9} : std::vector<Control>{}, ";"};
        EXPECT_TRUE(run(dir, LastFileKeeping::Keep).csv == expected);
    }
}

TEST(standard_combined_test, progress_per_file_and_pass_and_a_contact_given_as_text)
{
    test::TempDir dir;
    test::ScriptedWindow window;
    window.checks[Check9] = 0;
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

/// The vCard files of `folder`, sorted; none when there is no such folder.
Texts vcardsIn(const std::string& folder)
{
    Texts files;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing))
        if (entry.path().extension() == ".vcf")
            files.push_back(entry.path().string());
    std::ranges::sort(files);
    return files;
}

// The samples and every real-world file of the corpus convert without an error report, to
// the same bytes with and without the kept file.
TEST(standard_combined_test,
     the_samples_and_the_corpus_convert_alike_with_and_without_the_kept_file)
{
    const Texts samples = vcardsIn(BRIMWELL_SAMPLES_DIR);
    const Texts corpus = vcardsIn(BRIMWELL_CORPUS_DIR);
    ASSERT_FALSE(samples.empty());
    std::vector<std::pair<const char*, CombinedRun>> runs = {
        {"samples", {samples}},
        {"samples quoted, line breaks removed", {samples, RuleSet::All, {Check9, Check10}}},
        {"samples filtered", {samples, RuleSet::Filtered, {Check3, Check6}}},
    };
    if (!corpus.empty()) {
        runs.push_back({"corpus", {corpus, RuleSet::All, {Check9}}});
        runs.push_back(
            {"corpus filtered", {corpus, RuleSet::Filtered, {Check3, Check4, Check6, Check8}}});
    }
    test::TempDir out;
    for (const auto& [name, run] : runs) {
        SCOPED_TRACE(name);
        const Outcome outcome = keptAndDeclined(run, out);
        EXPECT_FALSE(outcome.csv.empty());
        EXPECT_TRUE(outcome.reports.empty());
    }
    if (corpus.empty())
        GTEST_SKIP() << "corpus not found at " << BRIMWELL_CORPUS_DIR;

    // One CSV per file, and the Gmail layout's one line per file.
    test::ScriptedWindow window;
    window.texts[Text1] = out.path().string();
    window.items = corpus;
    for (const std::string& file : corpus) {
        SCOPED_TRACE(file);
        ConvertTresko(window, file, ",");
        const auto name = std::filesystem::path(file).stem().string() + ".csv";
        EXPECT_EQ(std::ranges::count(test::readBytes(out.file(name)), '\n'), 2);
    }
    for (Control box : {Check3, Check4, Check6, Check8})
        window.checks[box] = 1;
    for (auto convert : {ConvertVCFToGmailSingleCSV, ConvertVCFToGmailSingleCSVLimit}) {
        convert(window, out.file("all.csv"), ",");
        const auto lines = std::ranges::count(test::readBytes(out.file("all.csv")), '\n');
        EXPECT_EQ(static_cast<std::size_t>(lines), corpus.size() + 1);
    }
    EXPECT_TRUE(window.errorReports().empty());
}

}  // namespace
}  // namespace brimwell
