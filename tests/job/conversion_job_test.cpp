#include "job/conversion_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

constexpr const char* kOne = "BEGIN:VCARD\r\nFN:Ann Lee\r\nTEL;CELL:555\r\nEND:VCARD\r\n";
constexpr const char* kThree =
    "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\nEMAIL:b\nEND:VCARD\nBEGIN:VCARD\nFN:C\nEND:VCARD\n";
constexpr const char* kWarning = "Some vCard(s) have more than one contact and may be exported incorrectly.";

class conversion_job_test : public testing::Test {
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
    void list(std::string_view name, std::string_view content) { window.items.push_back(dir.write(name, content)); }
    std::string csv(std::string_view name) const { return test::readBytes(dir.file(name)); }
    long count(std::string_view text) const
    {
        const auto texts = window.informationTexts();
        return std::count(texts.begin(), texts.end(), text);
    }
};

TEST_F(conversion_job_test, an_empty_list_is_refused_without_done)
{
    job.PushButton2_Click();
    EXPECT_EQ(window.informationTexts(), std::vector<std::string>{"No files added."});
    EXPECT_EQ(job.lastOutcome(), RunOutcome::NoFiles);
    EXPECT_FALSE(job.JobRunning());
    EXPECT_EQ(window.pointer(), Pointer::Default);
}

TEST_F(conversion_job_test, a_missing_folder_is_refused_in_both_save_modes)
{
    list("a.vcf", kOne);
    window.select(Control::Option9);
    window.texts[Control::Text1] = dir.file("missing");
    for (Control mode : {Control::Option8, Control::Option7}) {
        window.messages.clear();
        window.select(mode);
        job.PushButton2_Click();
        EXPECT_EQ(window.informationTexts(),
                  std::vector<std::string>{"Folder does not exist. Please select another folder."});
        EXPECT_EQ(job.lastOutcome(), RunOutcome::NoFolder);
    }
    EXPECT_TRUE(window.saveDialogFolders.empty());
}

TEST_F(conversion_job_test, beside_the_source_the_folder_box_is_not_checked)
{
    list("a.vcf", kOne);
    window.texts[Control::Text1] = "";
    job.PushButton2_Click();
    EXPECT_EQ(window.informationTexts(), std::vector<std::string>{"Done."});
    EXPECT_EQ(csv("a.csv"), "Display Name,Mobile Phone\r\nAnn Lee,555\r\n");
    EXPECT_EQ(window.progressValue, 0);
    EXPECT_EQ(window.progressText, "Progress Bar");
}

TEST_F(conversion_job_test, a_second_press_during_a_run_is_ignored)
{
    list("a.vcf", kOne);
    list("b.vcf", kOne);
    int nestedPresses = 0;
    window.onYield = [&] {
        if (nestedPresses++ == 0) {
            EXPECT_TRUE(job.JobRunning());
            job.PushButton2_Click();
            EXPECT_EQ(job.lastOutcome(), RunOutcome::Ignored);
        }
    };
    job.PushButton2_Click();
    EXPECT_EQ(count("Done."), 1);
    EXPECT_EQ(job.lastOutcome(), RunOutcome::Done);
    EXPECT_FALSE(job.JobRunning());
}

TEST_F(conversion_job_test, per_file_standard_run_splits_multi_contact_files)
{
    list("a.vcf", kOne);
    list("team.vcf", kThree);
    list(".vcf", kThree);
    job.PushButton2_Click();
    EXPECT_EQ(csv("a.csv"), "Display Name,Mobile Phone\r\nAnn Lee,555\r\n");
    EXPECT_EQ(csv("team1.csv"), "Display Name\r\nA\r\n");
    EXPECT_EQ(csv("team2.csv"), "Display Name,Email Address\r\nB,b\r\n");
    EXPECT_EQ(csv("team3.csv"), "Display Name\r\nC\r\n");
    EXPECT_EQ(csv(".vcf1.csv"), "Display Name\r\nA\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("team.csv")));
    EXPECT_EQ(window.progressValues.front(), 33);
    EXPECT_TRUE(window.errorReports().empty());
}

TEST_F(conversion_job_test, per_contact_targets_go_to_the_chosen_folder)
{
    std::filesystem::create_directories(dir.path() / "out");
    list("in/team.vcf", kThree);
    window.select(Control::Option9);
    window.texts[Control::Text1] = dir.file("out") + "/";
    job.PushButton2_Click();
    EXPECT_EQ(csv("out/team2.csv"), "Display Name,Email Address\r\nB,b\r\n");
}

TEST_F(conversion_job_test, a_ticked_filter_sends_each_row_to_the_filtered_converter)
{
    list("a.vcf", kOne);
    list("team.vcf", kThree);
    window.checks[Control::Check4] = 1;
    job.PushButton2_Click();
    EXPECT_EQ(csv("a.csv"), "Mobile Phone\r\n555\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("team1.csv")));  // no phone: nothing written
}

TEST_F(conversion_job_test, one_csv_mode_asks_for_the_name_starting_in_the_folder_box)
{
    list("a.vcf", kOne);
    list("team.vcf", kThree);
    window.select(Control::Option7);
    window.select(Control::Option9);
    window.texts[Control::Text1] = dir.path().string();
    window.saveAnswers.push_back(dir.file("all.csv"));
    job.PushButton2_Click();
    EXPECT_EQ(window.saveDialogFolders, std::vector<std::string>{dir.path().string()});
    EXPECT_EQ(csv("all.csv"), "Display Name,Mobile Phone,Email Address\r\nAnn Lee,555,\r\nA,,\r\nB,,b\r\nC,,\r\n");
}

TEST_F(conversion_job_test, a_cancelled_save_dialog_still_ends_with_done)
{
    list("a.vcf", kThree);
    window.select(Control::Option7);
    window.select(Control::Option2);
    job.PushButton2_Click();
    EXPECT_EQ(window.informationTexts(), std::vector<std::string>{"Done."});
}

TEST_F(conversion_job_test, gmail_warnings_before_every_file_or_once_after_the_dialog)
{
    for (const char* name : {"1.vcf", "2.vcf", "3.vcf", "4.vcf", "5.vcf"})
        list(name, std::string(name) == "2.vcf" ? kThree : kOne);
    window.select(Control::Option2);
    job.PushButton2_Click();
    EXPECT_EQ(count(kWarning), 5);
    EXPECT_EQ(csv("2.csv").substr(0, 14), "Name,E-mail,No");

    window.messages.clear();
    window.select(Control::Option7);
    window.saveAnswers.push_back(dir.file("all.csv"));
    job.PushButton2_Click();
    EXPECT_EQ(count(kWarning), 1);
    EXPECT_EQ(window.informationTexts().back(), "Done.");
}

TEST_F(conversion_job_test, gmail_prescan_stops_at_the_first_multi_contact_file)
{
    list("1.vcf", kOne);
    list("2.vcf", kThree);
    list("3.vcf", kOne);
    window.select(Control::Option2);
    window.select(Control::Option7);
    job.PushButton2_Click();  // cancelled dialog: only the pre-scan sets the bar
    EXPECT_EQ(window.progressValues, (std::vector<int>{33, 66, 0}));
}

TEST_F(conversion_job_test, progress_over_three_files)
{
    for (const char* name : {"1.vcf", "2.vcf", "3.vcf"})
        list(name, kOne);
    window.select(Control::Option2);
    job.PushButton2_Click();
    // Pre-scan, then the per-file pass, then the reset.
    EXPECT_EQ(window.progressValues, (std::vector<int>{33, 66, 100, 33, 66, 100, 0}));
}

TEST_F(conversion_job_test, an_unreadable_file_is_reported_and_the_run_goes_on)
{
    window.items.push_back(dir.file("gone.vcf"));
    list("a.vcf", kOne);
    job.PushButton2_Click();
    EXPECT_FALSE(window.errorReports().empty());
    EXPECT_EQ(csv("a.csv"), "Display Name,Mobile Phone\r\nAnn Lee,555\r\n");
    EXPECT_EQ(window.informationTexts().back(), "Done.");
}

}  // namespace
}  // namespace brimwell
