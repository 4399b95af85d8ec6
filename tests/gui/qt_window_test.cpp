#include "gui/qt_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QThread>
#include <QTimer>

#include "gui/dialog_provider.h"
#include "gui/form_controls.h"
#include "gui_test_support.h"

namespace brimwell {
namespace {

class qt_window_test : public testing::Test {
protected:
    QWidget form;
    FormControls controls = buildForm(form);
    test::ScriptedDialogs dialogs;
    QtWindow window{form, controls, dialogs};
};

TEST_F(qt_window_test, clearing_the_selected_button_leaves_its_group_empty)
{
    window.setOptionSelected(Control::Option4, true);
    window.setOptionSelected(Control::Option5, true);
    EXPECT_FALSE(window.optionSelected(Control::Option4));
    window.setOptionSelected(Control::Option5, false);
    for (Control option : {Control::Option3, Control::Option4, Control::Option5, Control::Option6})
        EXPECT_FALSE(window.optionSelected(option));
    window.setOptionSelected(Control::Option6, true);
    EXPECT_TRUE(window.optionSelected(Control::Option6));
}

TEST_F(qt_window_test, check_boxes_hold_0_1_and_2)
{
    for (int value : {1, 2, 0}) {
        window.setCheckValue(Control::Check4, value);
        EXPECT_EQ(window.checkValue(Control::Check4), value);
    }
    EXPECT_THROW(window.setCheckValue(Control::Check4, 3), std::invalid_argument);
    EXPECT_THROW(window.setCheckValue(Control::Check4, -1), std::invalid_argument);
    EXPECT_EQ(window.checkValue(Control::Check4), 0);
}

TEST_F(qt_window_test, progress_text_is_shown_as_given)
{
    window.setProgressText("Processing: 100%p.vcf");
    window.setProgressValue(40);
    EXPECT_EQ(controls.ProgressBar1->text(), "Processing: 100%p.vcf");
    EXPECT_EQ(controls.ProgressBar1->value(), 40);
}

TEST_F(qt_window_test, a_yield_right_after_another_is_skipped)
{
    int delivered = 0;
    const auto post = [&] { QTimer::singleShot(0, &form, [&] { ++delivered; }); };
    post();
    window.yield();
    EXPECT_EQ(delivered, 1);
    post();
    window.yield();
    EXPECT_EQ(delivered, 1);
    QThread::msleep(10);
    window.yield();
    EXPECT_EQ(delivered, 2);
}

TEST_F(qt_window_test, dialogs_get_qt_filters_and_line_feeds)
{
    dialogs.saveAnswers.push_back("/out/all.csv");
    EXPECT_EQ(window.saveFileDialog("Save CSV File As", "CSV Files (*.csv)|*.csv", "/srv/"),
              "/out/all.csv");
    EXPECT_EQ(dialogs.saveFolders, QStringList{"/srv/"});
    window.messageBox("one\r\ntwo\r\rthree", MessageButtons::YesNo, MessageIcon::Exclamation,
                      "Application Error");
    EXPECT_EQ(dialogs.messages.at(0).text, "one\ntwo\n\nthree");
    EXPECT_EQ(dialogs.messages.at(0).icon, MessageIcon::Exclamation);
}

TEST(qt_file_filter_test, turns_name_and_pattern_pairs_into_qt_filters)
{
    const std::pair<const char*, const char*> rows[] = {
        {"vCard VCF Files (*.vcf)|*.vcf|", "vCard VCF Files (*.vcf)"},
        {"CSV Files (*.csv)|*.csv", "CSV Files (*.csv)"},
        {"Text|*.txt;*.text", "Text (*.txt *.text)"},
        {"A (*.a)|*.a|B|*.b|", "A (*.a);;B (*.b)"},
        {"", ""},
    };
    for (const auto& [windows, qt] : rows)
        EXPECT_EQ(qtFileFilter(windows), qt) << windows;
}

}  // namespace
}  // namespace brimwell
