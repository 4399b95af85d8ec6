#include <gtest/gtest.h>

#include <algorithm>

#include "job/conversion_job.h"
#include "job/option_table.h"
#include "job/options_controller.h"
#include "support/memory_settings_store.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

using enum Control;
using Texts = std::vector<std::string>;
using Controls = std::vector<Control>;

class options_controller_test : public testing::Test {
protected:
    test::ScriptedWindow window;
    test::MemorySettingsStore store;
    OptionsController options{window, store, "/home/ann/Desktop"};

    void SetUp() override
    {
        // Every control starts opposite to its first-start value.
        for (const auto& row : optionControls()) {
            if (row.kind == ControlKind::CheckBox)
                window.checks[row.control] = row.firstStart == "1" ? 0 : 1;
            else if (row.kind == ControlKind::OptionButton)
                window.options[row.control] = row.firstStart != "1";
        }
        window.texts[Text1] = "unchanged";
        window.folderBoxEnabled = false;
    }
    /// The selected option buttons and ticked check boxes.
    Controls on() const
    {
        Controls on;
        for (int i = 0; i < static_cast<int>(Text1); ++i)
            if (window.optionSelected(Control(i)) || window.checkValue(Control(i)) != 0)
                on.push_back(Control(i));
        return on;
    }
};

TEST_F(options_controller_test, converts_stored_values)
{
    const std::tuple<const char*, Control, int> rows[] = {
        {"tRUE", Option2, 1}, {"FALSE", Option2, 0}, {"-1", Option2, 1}, {"0", Option2, 0},
        {"0.5", Option2, 1},  {" 1 ", Option2, 1},   {"1.5", Check6, 2}, {"2.5", Check6, 2},
        {"0.5", Check6, 0},   {" 1 ", Check6, 1}};
    for (const auto& [stored, control, expected] : rows) {
        SCOPED_TRACE(stored);
        store.set(optionControl(control).settingsKey, stored);
        window.options[Option2] = expected == 0;
        window.checks[Check6] = -1;
        options.restore();
        EXPECT_EQ(control == Option2 ? window.optionSelected(control) : window.checkValue(control),
                  expected);
    }
    EXPECT_TRUE(window.errorReports().empty());
}

TEST_F(options_controller_test, a_broken_value_is_reported_and_its_control_left_alone)
{
    store.set("Option1", "yes");
    store.set("Option2", "False");
    store.set("Remove CRLF", "lots");
    store.set("Emails Only", "7");
    options.restore();
    const Texts reports = window.errorReports();
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0],
              "Type mismatch\r\nin Tresko2021/08/31.Form1.Form_Load at line 7\r\r"
              "Please email screenshot of this message to support@brimwell.app");
    EXPECT_TRUE(reports[1].starts_with("Invalid property value\r\n"));
    // Option1 and the two boxes keep their state; the others get their first-start values.
    EXPECT_EQ(on(), (Controls{Option3, Option8, Option9, Check3, Check9, Check10}));
    EXPECT_EQ(window.text(Text1), "/home/ann/Desktop/");
    EXPECT_TRUE(window.folderBoxEnabled);
}

TEST_F(options_controller_test, clicks_write_their_keys_and_set_the_folder_box)
{
    window.select(Option9);  // not clicked: the box follows clicks in its frame only
    for (Control option : {Option4, Option10, Option9}) {
        window.select(option);
        options.optionClick(option);
        EXPECT_EQ(window.folderBoxEnabled, option == Option9);
    }
    EXPECT_EQ(store.values.size(), 6u);  // the separator and destination frames only
    EXPECT_EQ(store.get("Option3") + store.get("Option4") + store.get("Option10"),
              "FalseTrueFalse");
    window.checks[Check6] = 1;
    options.checkClick(Check6);
    window.texts[Text1] = "/no/such/folder yet";
    options.Text1_Change();
    EXPECT_EQ(store.get("Names Only") + store.get("Text1"), "1/no/such/folder yet");
}

TEST_F(options_controller_test, the_layout_and_encoding_controls_are_remembered_after_the_others)
{
    // A first start: "CSV" stays selected and the encoding choices are off.
    options.restore();
    EXPECT_TRUE(window.optionSelected(Option1));
    EXPECT_FALSE(window.encodingChoicesEnabled);
    EXPECT_EQ(window.text(Combo1) + " " + window.text(Combo2), "utf-8-bom windows-1252");

    window.select(Option12);
    options.optionClick(Option12);
    EXPECT_TRUE(window.encodingChoicesEnabled);
    EXPECT_EQ(store.get("Option1") + store.get("Option2") + store.get("Option12"),
              "FalseFalseTrue");
    window.texts[Combo1] = "windows-1250";
    options.choiceChange(Combo1);
    EXPECT_EQ(store.get("Encoding"), "windows-1250");

    test::ScriptedWindow restarted;
    OptionsController{restarted, store, "/home/ann/Desktop"}.restore();
    EXPECT_TRUE(restarted.optionSelected(Option12));
    EXPECT_FALSE(restarted.optionSelected(Option1));
    EXPECT_TRUE(restarted.encodingChoicesEnabled);
    EXPECT_EQ(restarted.text(Combo1), "windows-1250");
}

constexpr const char* kOne = "BEGIN:VCARD\r\nFN:Ann Lee\r\nTEL;CELL:555\r\nEND:VCARD\r\n";
constexpr const char* kThree =
    "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\nEMAIL:b\nEND:VCARD\nBEGIN:VCARD\nFN:C\nEND:"
    "VCARD\n";
constexpr const char* kWarning =
    "Some vCard(s) have more than one contact and may be exported incorrectly.";

/// A list of three files, the second with three contacts; CSVs beside them, commas, no quotes.
struct Conversion {
    test::TempDir dir;
    test::ScriptedWindow window;
    ConversionJob job{window};
    Conversion()
    {
        window.select(Option10);
        window.select(Option5);
        window.checks[Check9] = 0;
        window.texts[Text1] = dir.path().string();
        for (const char* name : {"a.vcf", "team.vcf", "b.vcf"})
            window.items.push_back(dir.write(name, name[0] == 't' ? kThree : kOne));
    }
};

TEST(conversion_job_test, picks_the_converter_warns_and_moves_the_bar)
{
    struct Row {
        const char* name;
        Control format, save;
        int phonesOnly;
        const char* answer;  ///< of the save dialog; "" cancels
        const char* csv;
        std::string start;  ///< of the CSV
        long warnings;
        const char* progress;  ///< "": the converters move the bar too
    };
    const Row rows[] = {
        {"csv per file filtered", Option1, Option8, 1, "", "a.csv", "Mobile Phone\r\n555\r\n", 0,
         ""},
        // A pre-scan up to the first file of many contacts, then a warning before each file.
        {"gmail per file", Option2, Option8, 0, "", "team.csv", "Name,E-mail,Notes,", 3,
         "33 66 33 66 100 0 "},
        {"csv one file filtered", Option1, Option7, 1, "all.csv", "all.csv",
         "Mobile Phone\r\n555\r\n\r\n\r\n\r\n555\r\n", 0, ""},
        {"gmail one file warns once", Option2, Option7, 0, "all.csv", "all.csv",
         "Name,E-mail,Notes,", 1, ""},
        {"gmail one file filtered", Option2, Option7, 1, "all.csv", "all.csv",
         "Phone Numbers,\r\n555,\r\n,\r\n", 1, ""},
        {"one file cancelled", Option2, Option7, 0, "", "all.csv", "<missing>", 0, "33 66 0 "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Conversion c;
        c.window.select(row.format);
        c.window.select(row.save);
        c.window.checks[Check4] = row.phonesOnly;
        c.window.saveAnswers = {*row.answer ? c.dir.file(row.answer) : ""};
        c.job.PushButton2_Click();
        EXPECT_EQ(test::readBytes(c.dir.file(row.csv)).substr(0, row.start.size()), row.start);
        if (row.save == Option8) {  // a CSV per file, none per contact
            EXPECT_EQ(test::readBytes(c.dir.file("team1.csv")), "<missing>");
        }
        const Texts texts = c.window.informationTexts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), kWarning), row.warnings);
        EXPECT_EQ(texts.empty() ? "" : texts.back(), "Done.");
        std::string progress;
        for (const int value : c.window.progressValues)
            progress += std::to_string(value) + " ";
        if (*row.progress) {
            EXPECT_EQ(progress, row.progress);
        }
        EXPECT_EQ(c.window.saveDialogFolders,
                  row.save == Option7 ? Texts{c.dir.path().string()} : Texts{});
        EXPECT_TRUE(c.window.errorReports().empty());
    }
}

TEST(conversion_job_test, a_missing_folder_is_refused_before_the_save_dialog)
{
    Conversion c;
    c.window.select(Option9);
    c.window.select(Option7);
    c.window.texts[Text1] = c.dir.file("missing");
    c.job.PushButton2_Click();
    EXPECT_EQ(c.window.informationTexts(),
              Texts{"Folder does not exist. Please select another folder."});
    EXPECT_EQ(c.job.lastOutcome(), RunOutcome::NoFolder);
    EXPECT_TRUE(c.window.saveDialogFolders.empty());
}

TEST(conversion_job_test, a_second_press_during_a_run_is_ignored)
{
    Conversion c;
    int presses = 0;
    c.window.onYield = [&] {
        if (presses++ == 0) {
            EXPECT_TRUE(c.job.JobRunning());
            c.job.PushButton2_Click();
            EXPECT_EQ(c.job.lastOutcome(), RunOutcome::Ignored);
        }
    };
    c.job.PushButton2_Click();
    EXPECT_EQ(c.window.informationTexts(), Texts{"Done."});
    EXPECT_EQ(c.job.lastOutcome(), RunOutcome::Done);
    EXPECT_FALSE(c.job.JobRunning());
}

}  // namespace
}  // namespace brimwell
