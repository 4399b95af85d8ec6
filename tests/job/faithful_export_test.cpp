// Runs of the faithful engine's layouts through the job: save modes, the source guard,
// filters, encodings and the one message that tells what could not be done perfectly.
#include "job/faithful_export.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "base/error_trap.h"
#include "job/conversion_job.h"
#include "job/option_table.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

using enum Control;

constexpr const char* kBom = "\xEF\xBB\xBF";
constexpr const char* kAnn =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\r\nTEL;TYPE=CELL:555\r\n"
    "EMAIL;TYPE=WORK:ann@example.com\r\nEND:VCARD\r\n";
// Two e-mails, a non-Latin name, and a card that never ends.
constexpr const char* kTeam =
    "BEGIN:VCARD\nVERSION:3.0\nN:Smith;Bo\nEMAIL:b1@x\nEMAIL:b2@x\n"
    "END:VCARD\nBEGIN:VCARD\nVERSION:3.0\nN:Иванов;Иван\nNOTE:Zoë Ω\n";

/// Two listed files, Google Contacts, commas, no quotes, CSVs into the folder box's folder.
struct FaithfulRun {
    test::TempDir dir;
    test::ScriptedWindow window;
    ConversionJob job{window};
    FaithfulRun()
    {
        window.select(Option11);
        window.select(Option5);
        window.checks[Check9] = 0;
        window.texts[Text1] = dir.path().string();
        window.items = {dir.write("ann.vcf", kAnn), dir.write("team.vcf", kTeam)};
    }
    std::string csv(const char* name) const { return test::readBytes(dir.file(name)); }
    /// The messages shown with the warning icon.
    std::vector<std::string> warnings() const
    {
        std::vector<std::string> texts;
        for (const auto& message : window.messages)
            if (message.icon == MessageIcon::Warning)
                texts.push_back(message.text);
        return texts;
    }
};

const std::string kGoogleHeader =
    "First Name,Middle Name,Last Name,Phonetic First Name,Phonetic Middle Name,"
    "Phonetic Last Name,Name Prefix,Name Suffix,Nickname,File As,Organization Name,"
    "Organization Title,Organization Department,Birthday,Notes,Photo,Labels";

TEST(faithful_export_test, one_csv_sizes_the_groups_over_every_file)
{
    FaithfulRun run;
    run.window.select(Option7);
    run.window.saveAnswers = {run.dir.file("all.csv")};
    run.job.PushButton2_Click();
    const std::string thirteenEmpty(14, ',');  // the cells between Last Name and Labels
    EXPECT_EQ(run.csv("all.csv"),
              kBom + kGoogleHeader +
                  ",E-mail 1 - Label,E-mail 1 - Value,E-mail 2 - Label,E-mail 2 - Value,"
                  "Phone 1 - Label,Phone 1 - Value\r\n"
                  "Ann,,Lee" +
                  thirteenEmpty +
                  "* myContacts,Work,ann@example.com,,,Mobile,555\r\n"
                  "Bo,,Smith" +
                  thirteenEmpty +
                  "* myContacts,,b1@x,,b2@x,,\r\n"
                  "Иван,,Иванов,,,,,,,,,,,,Zoë Ω,,* myContacts,,,,,,\r\n");
    // The warning comes once, in one message before "Done.".
    ASSERT_EQ(run.window.messages.size(), 2u);
    EXPECT_EQ(run.warnings().size(), 1u);
    EXPECT_NE(run.warnings()[0].find("team.vcf: card 2"), std::string::npos) << run.warnings()[0];
    EXPECT_EQ(run.window.messages.back().text, "Done.");
}

TEST(faithful_export_test, separate_csvs_hold_each_files_contacts)
{
    FaithfulRun run;
    run.window.select(Option13);
    run.job.PushButton2_Click();
    const std::string ann = run.csv("ann.csv");
    const std::string team = run.csv("team.csv");
    EXPECT_TRUE(ann.starts_with(kBom)) << ann;
    EXPECT_EQ(std::count(ann.begin(), ann.end(), '\n'), 2);
    EXPECT_EQ(std::count(team.begin(), team.end(), '\n'), 3);
    EXPECT_NE(team.find("Иванов"), std::string::npos);
    EXPECT_EQ(run.csv("team1.csv"), "<missing>");  // a table: no CSV per contact
}

TEST(faithful_export_test, an_unreadable_file_is_reported_and_a_listed_one_never_replaced)
{
    FaithfulRun run;
    run.window.select(Option7);
    run.window.items.insert(run.window.items.begin(), run.dir.file("gone.vcf"));
    run.window.saveAnswers = {run.dir.file("all.csv"), run.window.items[2]};
    run.job.PushButton2_Click();  // gone.vcf is told once and the rest written
    run.job.PushButton2_Click();  // the CSV would replace team.vcf: nothing is written
    const std::vector<std::string> reports = run.window.errorReports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_NE(reports[0].find("gone.vcf"), std::string::npos) << reports[0];
    EXPECT_NE(reports[1].find("no CSV file was written"), std::string::npos) << reports[1];
    const std::string csv = run.csv("all.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4) << csv;  // header, three contacts
    EXPECT_EQ(run.csv("team.vcf"), kTeam);
}

TEST(faithful_export_test, filters_encodings_and_what_the_message_counts)
{
    struct Case {
        const char* name;
        Control layout;
        Control filterBox;  ///< Text1: no filter
        const char* encoding;
        std::string csvStart;
        std::string told;            ///< a part of the warning message
        const char* only = nullptr;  ///< the one file listed instead of the two
    };
    const Case cases[] = {
        {"e-mails only", Option11, Check3, "utf-8",
         "E-mail 1 - Label,E-mail 1 - Value,E-mail 2 - Label,E-mail 2 - Value\r\n"
         "Work,ann@example.com,,\r\n",
         "no END:VCARD"},
        // Иван Иванов and Ω: eleven characters that windows-1252 lacks.
        {"a code page counts what it lacks", Option11, Text1, "windows-1252",
         kGoogleHeader.substr(0, 10), "11 characters are not in windows-1252"},
        {"outlook counts the values sent to notes", Option12, Text1, "utf-8",
         "Title,First Name,Middle Name,Last Name,Suffix,Company",
         "2 values without a column of their own went to Notes, each with its label.",
         "BEGIN:VCARD\nVERSION:3.0\nFN:Al\nEMAIL:1@x\nEMAIL:2@x\nEMAIL:3@x\nEMAIL:4@x\n"
         "EMAIL:5@x\nEND:VCARD\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FaithfulRun run;
        if (c.only)
            run.window.items = {run.dir.write("only.vcf", c.only)};
        run.window.select(c.layout);
        run.window.select(Option7);
        if (c.filterBox != Text1)
            run.window.checks[c.filterBox] = 1;
        run.window.texts[Combo1] = c.encoding;
        run.window.saveAnswers = {run.dir.file("all.csv")};
        run.job.PushButton2_Click();
        EXPECT_TRUE(run.csv("all.csv").starts_with(c.csvStart)) << run.csv("all.csv");
        ASSERT_EQ(run.warnings().size(), 1u);
        EXPECT_NE(run.warnings()[0].find(c.told), std::string::npos) << run.warnings()[0];
    }
}

/// The CSV and the report of a one-CSV run over `files` in `layout`, each file read in two
/// parts at once when `split`.
std::pair<std::string, std::string> exportedInParts(const test::TempDir& dir,
                                                    const std::vector<std::string>& files,
                                                    vcard::csv::CsvLayoutKind layout, bool split)
{
    test::ScriptedWindow window;
    for (std::size_t i = 0; i < files.size(); ++i)
        window.items.push_back(dir.write("f" + std::to_string(i) + ".vcf", files[i]));
    FaithfulOptions options = faithfulOptions(window, layout, ",");
    options.splitFromBytes = split ? 0 : std::numeric_limits<std::uintmax_t>::max();
    ErrorTrap trap(window, "test", "exportedInParts");
    FaithfulExport run(window, trap, options);
    run.writeOneCsv(dir.file("all.csv"));
    EXPECT_EQ(window.errorReports(), std::vector<std::string>{});
    return {test::readBytes(dir.file("all.csv")), run.report()};
}

TEST(faithful_export_test, a_file_read_in_two_parts_gives_what_it_gives_in_one)
{
    // Five e-mails and a bad escape early, a nested card, two phones and an unknown
    // character set late: both parts size groups, move values to Notes and warn.
    const std::string early =
        "BEGIN:VCARD\nVERSION:2.1\nFN:Al\nNOTE;ENCODING=QUOTED-PRINTABLE:=ZZ\nEMAIL:1@x\n"
        "EMAIL:2@x\nEMAIL:3@x\nEMAIL:4@x\nEMAIL:5@x\nAGENT:\nBEGIN:VCARD\nFN:Agent\n"
        "END:VCARD\nEND:VCARD\n";
    const std::string late =
        "BEGIN:VCARD\nVERSION:3.0\nFN:Bo\nTEL:1\nTEL:2\nNOTE;CHARSET=NONE-SUCH:b\n"
        "END:VCARD\n";
    // A cut at the middle of this one falls into a card: a quoted-printable note whose
    // soft line break takes the END:VCARD line, so that B is nested in A, and A has a phone.
    const std::string unclean =
        "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:A\r\nNOTE;ENCODING=QUOTED-PRINTABLE:one=\r\n"
        "END:VCARD\r\nBEGIN:VCARD\r\nFN:B\r\nEND:VCARD\r\nTEL:5\r\nEND:VCARD\r\n";
    const std::vector<std::string> files = {early + late + early + late + late, unclean, late};
    for (const auto layout :
         {vcard::csv::CsvLayoutKind::GoogleContacts, vcard::csv::CsvLayoutKind::Outlook}) {
        const test::TempDir dir;
        const auto [csv, report] = exportedInParts(dir, files, layout, true);
        EXPECT_EQ(csv, exportedInParts(dir, files, layout, false).first);
        EXPECT_EQ(report, exportedInParts(dir, files, layout, false).second);
        EXPECT_NE(report.find("f0.vcf: card 7 (Bo): unknown character set"), std::string::npos)
            << report;
    }
}

}  // namespace
}  // namespace brimwell
