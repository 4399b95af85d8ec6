#include "job/options_controller.h"

#include <gtest/gtest.h>

#include "job/option_table.h"
#include "support/memory_settings_store.h"
#include "support/scripted_window.h"

namespace brimwell {
namespace {

class options_controller_test : public testing::Test {
protected:
    test::ScriptedWindow window;
    test::MemorySettingsStore store;
    OptionsController options{window, store, "/home/ann/Desktop"};

    void SetUp() override
    {
        // Start from a window whose every control differs from the first-start values.
        for (const auto& row : optionControls()) {
            if (row.kind == ControlKind::CheckBox)
                window.checks[row.control] = row.firstStart == "1" ? 0 : 1;
            else if (row.kind == ControlKind::OptionButton)
                window.options[row.control] = row.firstStart != "1";
        }
        window.texts[Control::Text1] = "unchanged";
        window.folderBoxEnabled = false;
    }
};

TEST_F(options_controller_test, first_start_values)
{
    options.restore();
    for (Control selected : {Control::Option1, Control::Option3, Control::Option8, Control::Option9})
        EXPECT_TRUE(window.optionSelected(selected));
    for (Control cleared : {Control::Option2, Control::Option4, Control::Option5, Control::Option6,
                            Control::Option7, Control::Option10})
        EXPECT_FALSE(window.optionSelected(cleared));
    for (Control box : {Control::Check3, Control::Check4, Control::Check6, Control::Check8, Control::Check10})
        EXPECT_EQ(window.checkValue(box), 0);
    EXPECT_EQ(window.checkValue(Control::Check9), 1);
    EXPECT_EQ(window.text(Control::Text1), "/home/ann/Desktop/");
    EXPECT_TRUE(window.folderBoxEnabled);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(options_controller_test, a_click_rewrites_every_key_of_its_group)
{
    window.select(Control::Option4);
    options.optionClick(Control::Option4);
    EXPECT_EQ(store.get("Option3"), "False");
    EXPECT_EQ(store.get("Option4"), "True");
    EXPECT_EQ(store.get("Option5"), "False");
    EXPECT_EQ(store.get("Option6"), "False");
    EXPECT_EQ(store.get("Option1"), "<absent>");
}

TEST_F(options_controller_test, the_destination_frame_enables_the_folder_box)
{
    window.select(Control::Option10);
    options.optionClick(Control::Option10);
    EXPECT_FALSE(window.folderBoxEnabled);
    EXPECT_EQ(store.get("Option9"), "False");
    EXPECT_EQ(store.get("Option10"), "True");
    window.select(Control::Option9);
    options.optionClick(Control::Option9);
    EXPECT_TRUE(window.folderBoxEnabled);
}

TEST_F(options_controller_test, check_boxes_and_the_folder_box_write_their_own_key)
{
    window.checks[Control::Check6] = 1;
    options.checkClick(Control::Check6);
    EXPECT_EQ(store.get("Names Only"), "1");
    window.checks[Control::Check6] = 0;
    options.checkClick(Control::Check6);
    EXPECT_EQ(store.get("Names Only"), "0");
    window.texts[Control::Text1] = "/no/such/folder yet";
    options.Text1_Change();
    EXPECT_EQ(store.get("Text1"), "/no/such/folder yet");
    EXPECT_EQ(store.values.size(), 2u);
}

struct StoredCase {
    const char* name;
    std::string stored;
    bool selected;
};

class stored_option_test : public options_controller_test, public testing::WithParamInterface<StoredCase> {};

TEST_P(stored_option_test, converts_truth_values)
{
    store.set("Option2", GetParam().stored);
    window.options[Control::Option2] = !GetParam().selected;
    options.restore();
    EXPECT_EQ(window.optionSelected(Control::Option2), GetParam().selected);
    EXPECT_TRUE(window.errorReports().empty());
}

INSTANTIATE_TEST_SUITE_P(values, stored_option_test,
                         testing::Values(StoredCase{"True", "True", true}, StoredCase{"odd_case", "tRUE", true},
                                         StoredCase{"False", "FALSE", false}, StoredCase{"minus_one", "-1", true},
                                         StoredCase{"zero", "0", false}, StoredCase{"fraction", "0.5", true},
                                         StoredCase{"spaces", " 1 ", true}),
                         [](const testing::TestParamInfo<StoredCase>& info) { return std::string(info.param.name); });

TEST_F(options_controller_test, a_saved_choice_wins_over_the_first_start_value)
{
    store.set("Option1", "False");
    store.set("Option2", "True");
    store.set("Option9", "False");
    store.set("Option10", "True");
    store.set("Inclosed Double Quotes", "0");
    store.set("Text1", "/data/out/");
    options.restore();
    EXPECT_TRUE(window.optionSelected(Control::Option2));
    EXPECT_FALSE(window.optionSelected(Control::Option1));
    EXPECT_TRUE(window.optionSelected(Control::Option10));
    EXPECT_FALSE(window.folderBoxEnabled);
    EXPECT_EQ(window.checkValue(Control::Check9), 0);
    EXPECT_EQ(window.text(Control::Text1), "/data/out/");
}

TEST_F(options_controller_test, all_false_in_a_group_leaves_no_button_selected)
{
    for (const char* key : {"Option3", "Option4", "Option5", "Option6"})
        store.set(key, "False");
    options.restore();
    for (Control separator : {Control::Option3, Control::Option4, Control::Option5, Control::Option6})
        EXPECT_FALSE(window.optionSelected(separator));
}

TEST_F(options_controller_test, a_broken_value_is_reported_and_its_control_left_alone)
{
    store.set("Option1", "yes");
    store.set("Option2", "False");
    store.set("Remove CRLF", "lots");
    store.set("Emails Only", "7");
    store.set("Names Only", "1.5");
    window.checks[Control::Check10] = 1;
    window.checks[Control::Check3] = 1;
    options.restore();

    const auto reports = window.errorReports();
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0], "Type mismatch\r\nin Tresko2021/08/31.Form1.Form_Load at line 7\r\r"
                          "Please email screenshot of this message to support@brimwell.app");
    EXPECT_EQ(reports[1].substr(0, 24), "Invalid property value\r\n");
    EXPECT_FALSE(window.optionSelected(Control::Option1));  // as it was, not its first-start value
    EXPECT_FALSE(window.optionSelected(Control::Option2));
    EXPECT_EQ(window.checkValue(Control::Check3), 1);
    EXPECT_EQ(window.checkValue(Control::Check10), 1);
    EXPECT_EQ(window.checkValue(Control::Check6), 2);  // 1.5 rounds half to even
    EXPECT_TRUE(window.optionSelected(Control::Option3));  // the controls after a failure are restored
}

TEST_F(options_controller_test, the_help_button_explains_the_filter)
{
    options.PushButton3_Click();
    ASSERT_EQ(window.informationTexts().size(), 1u);
    EXPECT_EQ(window.informationTexts()[0],
              "Leave these unchecked if you do not want to filter / change the original file.");
}

}  // namespace
}  // namespace brimwell
