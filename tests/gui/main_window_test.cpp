#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <QCheckBox>
#include <QDropEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include "gui/program_folder.h"
#include "gui_test_support.h"

namespace brimwell {
namespace {

using test::WindowTest;

const std::string kAnn =
    "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nFN:Ann Lee\r\nTEL;CELL:555\r\n"
    "EMAIL;INTERNET:a1\r\nEND:VCARD\r\n";

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

class main_window_test : public WindowTest {
protected:
    QRadioButton& option(const char* name) const { return control<QRadioButton>(name); }
    QCheckBox& check(const char* name) const { return control<QCheckBox>(name); }
    QPushButton& button(const char* name) const { return control<QPushButton>(name); }
    QTreeWidget& list() const { return control<QTreeWidget>("ListView1"); }
    QLineEdit& text1() const { return control<QLineEdit>("Text1"); }

    /// The option buttons that are selected, by name.
    QStringList selectedOptions() const
    {
        QStringList names;
        for (QRadioButton* button : window->findChildren<QRadioButton*>())
            if (button->isChecked())
                names << button->objectName();
        names.sort();
        return names;
    }
    QStringList tickedBoxes() const
    {
        QStringList names;
        for (QCheckBox* box : window->findChildren<QCheckBox*>())
            if (box->isChecked())
                names << box->objectName();
        return names;
    }
    void addItems(const QStringList& paths)
    {
        dialogs.openAnswers.push_back(paths);
        button("PushButton1").click();
    }
    /// Sends one mouse event to the list's surface at the centre of row `row` (1-based).
    void mouseOnRow(QEvent::Type type, int row, Qt::MouseButtons buttons)
    {
        QWidget* surface = list().viewport();
        const QPoint position = list().visualItemRect(list().topLevelItem(row - 1)).center();
        QMouseEvent event(type, position, surface->mapToGlobal(position), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(surface, &event);
    }
    /// Offers `data` to the list as a drag-and-drop would; true when the drag was accepted.
    bool dragAndDrop(QMimeData& data)
    {
        QWidget* surface = list().viewport();
        const QPoint centre = surface->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &drop);
        return true;
    }
};

TEST_F(main_window_test, first_start_shows_the_first_start_values)
{
    start();
    EXPECT_EQ(selectedOptions(), QStringList({"Option1", "Option3", "Option8", "Option9"}));
    EXPECT_EQ(tickedBoxes(), QStringList{"Check9"});
    EXPECT_EQ(text1().text(), desktopFolder() + "/");
    EXPECT_TRUE(control<QFrame>("Frame6").isEnabled());
    EXPECT_EQ(window->windowTitle(), "Brimwell");
    EXPECT_EQ(list().headerItem()->text(0), " VCF Files");
    EXPECT_EQ(list().header()->sectionSize(0), 7100 / 15);
    EXPECT_EQ(control<QProgressBar>("ProgressBar1").text(), "Progress Bar");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(main_window_test, every_control_carries_its_caption)
{
    start();
    const std::pair<const char*, const char*> buttons[] = {
        {"PushButton1", "Add VCF File(s)"},
        {"PushButton4", "Add All VCF File(s) In Folder"},
        {"PushButton6", "Clear List"},
        {"PushButton7", "Load Sample/Example Files"},
        {"PushButton2", "Start Converting"},
        {"PushButton3", "?"},
        {"PushButton9", "..."},
    };
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(button(name).text(), caption) << name;
    const std::pair<const char*, const char*> frames[] = {
        {"Frame1", "Format"},
        {"Frame3", "Separator"},
        {"Frame2", "Filter: Keep Only These Fields"},
        {"Frame5", "Additional Options"},
        {"Frame4", "Save Options"},
        {"Frame7", "Save Option"},
    };
    for (const auto& [name, caption] : frames)
        EXPECT_EQ(control<QGroupBox>(name).title(), caption) << name;
    EXPECT_EQ(option("Option10").text(), "Save results in folder of original file");
    EXPECT_EQ(check("Check10").text(), "Remove CRLF (Carriage Return/Linefeed)");
    EXPECT_EQ(list().toolTip(),
              "Drag and drop files here. Double-click item to remove it. Move | line to right "
              "and out of window to reveal full names.");
}

TEST_F(main_window_test, a_restart_restores_what_was_changed)
{
    start();
    text1().clear();
    QTest::keyClicks(&text1(), "/srv/out/");
    for (const char* name : {"Option2", "Option5", "Option7", "Option10"})
        option(name).click();
    check("Check6").click();
    check("Check9").click();
    EXPECT_EQ(setting("Option4"), "False");
    EXPECT_EQ(setting("Option5"), "True");
    EXPECT_EQ(setting("Names Only"), "1");
    EXPECT_EQ(setting("Text1"), "/srv/out/");

    start();
    EXPECT_EQ(selectedOptions(), QStringList({"Option10", "Option2", "Option5", "Option7"}));
    EXPECT_EQ(tickedBoxes(), QStringList{"Check6"});
    EXPECT_EQ(text1().text(), "/srv/out/");
    EXPECT_FALSE(control<QFrame>("Frame6").isEnabled());
    EXPECT_FALSE(text1().isEnabled());
    EXPECT_FALSE(button("PushButton9").isEnabled());

    option("Option9").click();
    EXPECT_TRUE(control<QFrame>("Frame6").isEnabled());
    EXPECT_EQ(setting("Option9"), "True");
    EXPECT_EQ(setting("Option10"), "False");
}

TEST_F(main_window_test, a_group_stored_all_false_shows_no_button_selected)
{
    for (const char* key : {"Option3", "Option4", "Option5", "Option6"})
        settings.write("Pellbrook", "Brimwell", key, "False");
    start();
    EXPECT_EQ(selectedOptions(), QStringList({"Option1", "Option8", "Option9"}));
}

TEST_F(main_window_test, a_damaged_setting_is_reported_and_start_up_goes_on)
{
    settings.write("Pellbrook", "Brimwell", "Remove CRLF", "yes");
    start();
    ASSERT_EQ(dialogs.errorReports().size(), 1);
    EXPECT_TRUE(dialogs.errorReports()[0].contains("in Tresko2021/08/31.Form1.Form_Load "));
    EXPECT_EQ(window->windowTitle(), "Brimwell");
    EXPECT_EQ(text1().text(), desktopFolder() + "/");
}

TEST_F(main_window_test, add_files_adds_each_chosen_file)
{
    start();
    addItems({"/data/a.vcf", "/data//b.vcf"});
    EXPECT_EQ(listItems(), QStringList({"/data/a.vcf", "/data/b.vcf"}));
    EXPECT_EQ(dialogs.openTitles, QStringList{"Add File(s) - Hold Ctrl to select multiple files"});
    EXPECT_EQ(dialogs.openFilters, QStringList{"vCard VCF Files (*.vcf)"});
    button("PushButton1").click();  // cancelled
    EXPECT_EQ(listItems().size(), 2);
}

TEST_F(main_window_test, add_folder_adds_the_files_with_the_extension_asked_for)
{
    dir.write("in/a.vcf", kAnn);
    dir.write("in/deep/b.vcf", kAnn);
    dir.write("in/notes.txt", "x");
    start();
    dialogs.inputAnswers.push_back("vcf");
    dialogs.folderAnswers.push_back(qt(dir.file("in")));
    button("PushButton4").click();
    QStringList items = listItems();
    items.sort();
    EXPECT_EQ(items, QStringList({qt(dir.file("in/a.vcf")), qt(dir.file("in/deep/b.vcf"))}));
    EXPECT_EQ(setting("LastFolder"), dir.file("in"));
}

TEST_F(main_window_test, the_folder_button_fills_the_folder_box)
{
    start();
    dialogs.folderAnswers.push_back("/srv/csv");
    button("PushButton9").click();
    EXPECT_EQ(text1().text(), "/srv/csv/");
    EXPECT_EQ(setting("Text1"), "/srv/csv/");
    button("PushButton9").click();  // cancelled
    EXPECT_EQ(text1().text(), "/srv/csv/");
}

TEST_F(main_window_test, samples_are_loaded_and_their_folder_opened_on_yes)
{
    dir.write("program/Samples/ann.vcf", kAnn);
    start();
    dialogs.messageAnswers.push_back(MessageAnswer::Yes);
    button("PushButton7").click();
    EXPECT_EQ(listItems(), QStringList{programFolder() + "/Samples/ann.vcf"});
    EXPECT_EQ(dialogs.opened, QStringList{programFolder() + "/Samples/"});
}

TEST_F(main_window_test, the_filter_help_and_clear_list_buttons)
{
    start();
    button("PushButton3").click();
    EXPECT_EQ(dialogs.informationTexts(),
              QStringList{"Leave these unchecked if you do not want to filter / change the "
                          "original file."});
    EXPECT_EQ(dialogs.messages.at(0).caption, "Brimwell");
    addItems({"/data/a.vcf"});
    button("PushButton6").click();
    EXPECT_TRUE(listItems().isEmpty());
}

TEST_F(main_window_test, delete_and_double_click_remove_the_selected_item)
{
    start();
    addItems({"/data/a.vcf", "/data/b.vcf", "/data/c.vcf"});
    list().setCurrentItem(list().topLevelItem(0));
    QTest::keyClick(&list(), Qt::Key_Delete);
    EXPECT_EQ(listItems(), QStringList({"/data/b.vcf", "/data/c.vcf"}));
    list().setCurrentItem(list().topLevelItem(1));
    mouseOnRow(QEvent::MouseButtonDblClick, 2, Qt::LeftButton);
    EXPECT_EQ(listItems(), QStringList{"/data/b.vcf"});
}

TEST_F(main_window_test, during_a_run_removing_is_refused_and_the_hourglass_stays)
{
    for (const char* name : {"a.vcf", "b.vcf", "c.vcf"})
        dir.write(name, kAnn);
    start();
    option("Option10").click();
    addItems({qt(dir.file("a.vcf")), qt(dir.file("b.vcf")), qt(dir.file("c.vcf"))});
    QStringList seenDuringRun;
    QTest::qWait(10);  // so that the run's first yield lets the posted call below through
    QTimer::singleShot(0, window.get(), [&] {
        seenDuringRun << (window->cursor().shape() == Qt::WaitCursor ? "hourglass" : "other");
        list().setCurrentItem(list().topLevelItem(0));
        QTest::keyClick(&list(), Qt::Key_Delete);
        mouseOnRow(QEvent::MouseButtonDblClick, 1, Qt::LeftButton);
        button("PushButton6").click();
        seenDuringRun << QString::number(list().topLevelItemCount());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&button("PushButton1"), &enter);
        QApplication::sendEvent(&check("Check9"), &enter);
        seenDuringRun << (window->cursor().shape() == Qt::WaitCursor ? "hourglass" : "other");
    });
    button("PushButton2").click();
    EXPECT_EQ(seenDuringRun, QStringList({"hourglass", "3", "hourglass"}));
    EXPECT_EQ(listItems().size(), 3);
    EXPECT_NE(window->cursor().shape(), Qt::WaitCursor);
}

TEST_F(main_window_test, dragging_the_first_item_over_the_next_two_moves_it_third)
{
    start();
    addItems({"/data/a.vcf", "/data/b.vcf", "/data/c.vcf"});
    mouseOnRow(QEvent::MouseButtonPress, 1, Qt::LeftButton);
    EXPECT_TRUE(list().viewport()->testAttribute(Qt::WA_SetCursor));  // the drag pointer
    mouseOnRow(QEvent::MouseMove, 2, Qt::LeftButton);
    mouseOnRow(QEvent::MouseMove, 3, Qt::LeftButton);
    mouseOnRow(QEvent::MouseButtonRelease, 3, Qt::NoButton);
    EXPECT_EQ(listItems(), QStringList({"/data/b.vcf", "/data/c.vcf", "/data/a.vcf"}));
    EXPECT_EQ(list().currentItem(), list().topLevelItem(2));
    EXPECT_FALSE(list().viewport()->testAttribute(Qt::WA_SetCursor));
    mouseOnRow(QEvent::MouseMove, 1, Qt::NoButton);  // released: nothing moves
    EXPECT_EQ(listItems(), QStringList({"/data/b.vcf", "/data/c.vcf", "/data/a.vcf"}));
}

TEST_F(main_window_test, a_dropped_folder_adds_its_whole_tree_and_other_data_is_refused)
{
    dir.write("drop/a.vcf", kAnn);
    dir.write("drop/sub/b.txt", "x");
    dir.write("drop/~lock.vcf", "x");
    start();
    QMimeData folder;
    folder.setUrls({QUrl::fromLocalFile(qt(dir.file("drop")))});
    ASSERT_TRUE(dragAndDrop(folder));
    QStringList items = listItems();
    items.sort();
    EXPECT_EQ(items, QStringList({qt(dir.file("drop/a.vcf")), qt(dir.file("drop/sub/b.txt"))}));

    QMimeData text;
    text.setText("/data/a.vcf");
    EXPECT_FALSE(dragAndDrop(text));
    QMimeData remote;
    remote.setUrls({QUrl("https://example.org/a.vcf")});
    EXPECT_FALSE(dragAndDrop(remote));
    EXPECT_EQ(listItems().size(), 2);
}

TEST_F(main_window_test, the_pointer_is_the_hand_over_buttons_and_the_arrow_over_frames)
{
    QEvent enter(QEvent::Enter);
    start();
    QApplication::sendEvent(&button("PushButton1"), &enter);
    EXPECT_EQ(window->cursor().shape(), Qt::PointingHandCursor);  // no HAND-M.CUR

    std::filesystem::copy_file(BRIMWELL_GUI_RESOURCES_DIR "/HAND-M.CUR",
                               dir.file("program/HAND-M.CUR"));
    start();
    QApplication::sendEvent(&button("PushButton9"), &enter);
    EXPECT_EQ(window->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(window->cursor().hotSpot(), QPoint(5, 0));  // the finger tip
    QApplication::sendEvent(&control<QGroupBox>("Frame2"), &enter);
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(main_window_test, the_theme_is_applied_when_its_file_is_present)
{
    start();
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    dir.write("program/x/o.cjs", "QPushButton { color: #123456; }");
    start();
    EXPECT_EQ(qApp->styleSheet(), "QPushButton { color: #123456; }");
    qApp->setStyleSheet(QString());
}

TEST_F(main_window_test, start_converting_writes_the_csv_beside_its_source)
{
    const std::string source = dir.write("Ann Lee.vcf", kAnn);
    start();
    option("Option10").click();
    option("Option5").click();
    check("Check9").click();
    addItems({qt(source)});
    button("PushButton2").click();
    EXPECT_EQ(test::readBytes(dir.file("Ann Lee.csv")),
              "Last Name,First Name,Display Name,Mobile Phone,Email Address\r\n"
              "Lee,Ann,Ann Lee,555,a1\r\n");
    EXPECT_EQ(dialogs.informationTexts(), QStringList{"Done."});
    EXPECT_TRUE(dialogs.errorReports().isEmpty());
    EXPECT_EQ(control<QProgressBar>("ProgressBar1").text(), "Progress Bar");
    EXPECT_NE(window->cursor().shape(), Qt::WaitCursor);
}

}  // namespace
}  // namespace brimwell
