// The window's wiring and its Qt ports; what each handler does is covered by the core's tests.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include "gui/program_folder.h"
#include "window_test_fixture.h"

namespace brimwell::test {
namespace {

using gui_test = WindowTest;

TEST_F(gui_test, start_up_survives_a_damaged_setting_and_a_restart_restores_the_changes)
{
    settings.write("Pellbrook", "Brimwell", "Remove CRLF", "yes");
    start();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith("Application Error: ") &&
                dialogs.messages[0].contains("in Tresko2021/08/31.Form1.Form_Load "));
    EXPECT_EQ(ticked(), QStringList({"Check9", "Option1", "Option3", "Option8", "Option9"}));
    EXPECT_EQ(text1().text(), desktopFolder() + "/");

    text1().setText("/srv/out/");
    click({"Option2", "Option5", "Option7", "Option10", "Check6", "Check9"});
    start();
    EXPECT_EQ(ticked(), QStringList({"Check6", "Option10", "Option2", "Option5", "Option7"}));
    EXPECT_EQ(text1().text(), "/srv/out/");
    EXPECT_FALSE(control<QWidget>("Frame6").isEnabled());
    click({"Option9"});
    EXPECT_TRUE(control<QWidget>("Frame6").isEnabled());
}

TEST_F(gui_test, the_importer_layouts_enable_their_encoding_choices_and_are_remembered)
{
    start();
    auto& encoding = control<QComboBox>("Combo1");
    auto& fallback = control<QComboBox>("Combo2");
    EXPECT_FALSE(control<QWidget>("Frame8").isEnabled());  // "CSV" on a first start
    EXPECT_EQ(encoding.currentText() + " " + fallback.currentText(), "utf-8-bom windows-1252");
    EXPECT_EQ(fallback.findText("utf-8-bom"), -1);  // a mark is no code page to read with

    click({"Option12"});
    EXPECT_TRUE(control<QWidget>("Frame8").isEnabled());
    encoding.setCurrentIndex(encoding.findText("windows-1250"));
    emit encoding.textActivated(encoding.currentText());
    start();
    EXPECT_TRUE(control<QAbstractButton>("Option12").isChecked());
    EXPECT_FALSE(control<QAbstractButton>("Option1").isChecked());
    EXPECT_EQ(control<QComboBox>("Combo1").currentText(), "windows-1250");
    EXPECT_TRUE(control<QWidget>("Frame8").isEnabled());
    click({"Option2"});
    EXPECT_FALSE(control<QWidget>("Frame8").isEnabled());
}

TEST_F(gui_test, buttons_drops_keys_and_the_mouse_reach_their_handlers_up_to_a_run)
{
    const QString a = qt(dir.write("drop/a.vcf", kAnn));
    const QString b = qt(dir.write("drop/sub/b.txt", "x"));
    dir.write("program/Samples/ann.vcf", kAnn);
    dir.write("in/deep/b.vcf", kAnn);
    start();
    dialogs.answers = {"/data/a.vcf", "vcf", qt(dir.file("in")), "/srv/csv"};
    click({"PushButton1", "PushButton4", "PushButton7", "PushButton9", "PushButton3"});
    EXPECT_EQ(items(), QStringList({"/data/a.vcf", qt(dir.file("in/deep/b.vcf")),
                                    qt(dir.file("program/Samples/ann.vcf"))}));
    EXPECT_EQ(dialogs.asked, QStringList({"vCard VCF Files (*.vcf)", QDir::homePath()}));
    EXPECT_EQ(dialogs.opened, QStringList{qt(dir.file("program/Samples/"))});
    EXPECT_EQ(text1().text(), "/srv/csv/");
    EXPECT_TRUE(dialogs.messages.back().startsWith("Brimwell: Leave these unchecked"));
    click({"PushButton6"});
    EXPECT_TRUE(items().isEmpty());

    QMimeData text, remote, local;
    text.setText("/data/c.vcf");
    remote.setUrls({QUrl("https://example.org/c.vcf")});
    local.setUrls({QUrl::fromLocalFile(qt(dir.file("drop"))), QUrl::fromLocalFile("/data/c.vcf")});
    EXPECT_FALSE(dragAndDrop(text));
    EXPECT_FALSE(dragAndDrop(remote));
    ASSERT_TRUE(dragAndDrop(local));
    EXPECT_EQ(items(), QStringList({a, b, "/data/c.vcf"}));

    mouseOnRow(QEvent::MouseButtonPress, 1, Qt::LeftButton);
    EXPECT_TRUE(list().viewport()->testAttribute(Qt::WA_SetCursor));  // the drag pointer
    mouseOnRow(QEvent::MouseMove, 2, Qt::LeftButton);
    mouseOnRow(QEvent::MouseMove, 3, Qt::LeftButton);
    mouseOnRow(QEvent::MouseButtonRelease, 3, Qt::NoButton);
    EXPECT_EQ(items(), QStringList({b, "/data/c.vcf", a}));
    EXPECT_FALSE(list().viewport()->testAttribute(Qt::WA_SetCursor));

    list().setCurrentItem(list().topLevelItem(0));
    QTest::keyClick(&list(), Qt::Key_Delete);
    mouseOnRow(QEvent::MouseButtonDblClick, 1, Qt::LeftButton);
    EXPECT_EQ(items(), QStringList{a});

    dialogs.messages.clear();
    click({"Option10", "Option5", "Check9", "PushButton2"});
    EXPECT_EQ(test::readBytes(dir.file("drop/a.csv")),
              "Last Name,First Name,Mobile Phone\r\nLee,Ann,555\r\n");
    EXPECT_EQ(dialogs.messages, QStringList{"Brimwell: Done."});
}

TEST_F(gui_test, the_window_and_settings_ports)
{
    QWidget form;
    const FormControls controls = buildForm(form);
    QtWindow port(form, controls, dialogs, settings);
    port.setOptionSelected(Control::Option4, true);
    port.setOptionSelected(Control::Option4, false);  // the exclusive group lets go
    EXPECT_FALSE(port.optionSelected(Control::Option4));
    port.setOptionSelected(Control::Option5, true);
    port.setOptionSelected(Control::Option6, true);  // and holds one button again
    EXPECT_FALSE(port.optionSelected(Control::Option5));

    for (int value : {1, 2, 0}) {
        port.setCheckValue(Control::Check4, value);
        EXPECT_EQ(port.checkValue(Control::Check4), value);
    }

    port.setPointer(Pointer::Hourglass);
    EXPECT_EQ(form.cursor().shape(), Qt::WaitCursor);
    port.setProgressText("Processing: 100%p.vcf");
    EXPECT_EQ(controls.ProgressBar1->text(), "Processing: 100%p.vcf");
    dialogs.answers = {"/out/all.csv"};
    EXPECT_EQ(port.saveFileDialog("Save", "CSV Files (*.csv)|*.csv", "/srv/"), "/out/all.csv");
    EXPECT_EQ(dialogs.asked, QStringList({"CSV Files (*.csv)", "/srv/", "csv"}));
    port.messageBox("one\r\ntwo\r\rthree", MessageButtons::Ok, MessageIcon::None, "Brimwell");
    EXPECT_EQ(dialogs.messages, QStringList{"Brimwell: one\ntwo\n\nthree"});

    int delivered = 0;
    for (int pause : {0, 0, 10}) {
        QThread::msleep(pause);
        QTimer::singleShot(0, &form, [&] { ++delivered; });
        port.yield();  // delivers what was posted, unless the last yield was just now
        EXPECT_EQ(delivered, pause == 0 ? 1 : 3);
    }

    // The settings store reads back every value byte for byte, from one INI file.
    std::string everyByte;
    for (int code = 1; code <= 255; ++code)
        everyByte += static_cast<char>(code);
    const std::string values[] = {
        "0", everyByte, "", "a, b", "@ByteArray(x)", "  padded  ", "zo\xc3\xab", "a\x01\x1f\tb"};
    for (std::size_t index = 0; index < std::size(values); ++index) {
        const std::string key = "Key " + std::to_string(index), value = values[index];
        settings.write("Pellbrook", "Brimwell", key, value);
        EXPECT_EQ(settings.read("Pellbrook", "Brimwell", key, "<absent>"), value) << key;
    }
    EXPECT_TRUE(test::readBytes(dir.file("settings/Pellbrook/Brimwell.ini"))
                    .starts_with("[Brimwell]\nKey%200=0\n"));
}

TEST_F(gui_test, the_theme_and_the_pointers_come_from_the_program_or_installed_data_folder)
{
    start();
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    hover("PushButton1");
    EXPECT_EQ(window->cursor().shape(), Qt::PointingHandCursor);  // no HAND-M.CUR
    std::filesystem::copy_file(BRIMWELL_GUI_RESOURCES_DIR "/HAND-M.CUR",
                               dir.file("program/HAND-M.CUR"));
    dir.write("program/x/o.cjs", "QPushButton { color: #123456; }");
    start();
    EXPECT_EQ(qApp->styleSheet(), "QPushButton { color: #123456; }");
    qApp->setStyleSheet(QString());
    hover("PushButton9");
    EXPECT_EQ(window->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(window->cursor().hotSpot(), QPoint(5, 0));  // the finger tip
    hover("Frame2");
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);

    const std::string broken = dir.write("HAND-M.CUR", "not a cursor");
    EXPECT_EQ(loadCursor(qt(broken), Qt::PointingHandCursor).shape(), Qt::PointingHandCursor);
    const QCursor drag = loadCursor(BRIMWELL_GUI_RESOURCES_DIR "/drag.ico", Qt::ClosedHandCursor);
    EXPECT_EQ(drag.hotSpot(), QPoint(16, 16));  // an icon's pointer is centred
    dir.write("build/bin/Samples/a.vcf", "x");
    dir.write("usr/share/brimwell/Samples/a.vcf", "x");
    std::filesystem::create_directories(dir.path() / "usr/bin");
    EXPECT_EQ(resourceFolder(qt(dir.file("build/bin"))), qt(dir.file("build/bin")));
    EXPECT_EQ(resourceFolder(qt(dir.file("usr/bin"))), qt(dir.file("usr/share/brimwell")));
}

}  // namespace
}  // namespace brimwell::test
