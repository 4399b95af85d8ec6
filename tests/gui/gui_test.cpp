// The window's wiring and its Qt ports, and its own additions around the core: the file
// count, the output-folder button, the theme, the list's column and the kept window place.
// What each handler does is covered by the core's tests.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include "gui/color_scheme.h"
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
    const QLabel& count = control<QLabel>("FileCount");
    EXPECT_EQ(count.text(), "No files");
    dialogs.answers = {"/data/a.vcf", "vcf", qt(dir.file("in")), "/srv/csv"};
    click({"PushButton1", "PushButton4", "PushButton7", "PushButton9", "PushButton3"});
    EXPECT_EQ(items(), QStringList({"/data/a.vcf", qt(dir.file("in/deep/b.vcf")),
                                    qt(dir.file("program/Samples/ann.vcf"))}));
    EXPECT_EQ(count.text(), "3 files");
    EXPECT_EQ(dialogs.opened, QStringList{qt(dir.file("program/Samples/"))});
    EXPECT_EQ(text1().text(), "/srv/csv/");
    EXPECT_TRUE(dialogs.messages.back().startsWith("Brimwell: Leave these unchecked"));
    click({"PushButton6"});
    EXPECT_TRUE(items().isEmpty());
    EXPECT_EQ(count.text(), "No files");

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
    EXPECT_EQ(count.text(), "1 file");

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

    port.setPointer(Pointer::Hourglass);
    EXPECT_EQ(form.cursor().shape(), Qt::WaitCursor);
    port.setProgressText("Processing: 100%p.vcf");
    EXPECT_EQ(controls.ProgressBar1->text(), "Processing: 100%p.vcf");
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

// The death test forks: the child runs the window and is ended by its close; the parent
// reads what reached the disk. As a death test it runs before the others, whose painting
// leaves threads that a forked child would wait for.
using window_DeathTest = WindowTest;

TEST_F(window_DeathTest, closing_during_a_run_keeps_the_lines_handed_to_the_csv)
{
    std::string contacts;
    for (int i = 0; i < 20000; ++i)
        contacts +=
            "BEGIN:VCARD\r\nN:Lee;Ann " + std::to_string(i) + "\r\nTEL;CELL:555\r\nEND:VCARD\r\n";
    const QString source = qt(dir.write("in/many.vcf", contacts));
    const std::string csv = dir.file("all.csv");
    const std::string seen = dir.file("seen");
    EXPECT_EXIT(
        {
            start();
            dialogs.answers = {source};
            click({"PushButton1", "Option11", "Option7"});
            dialogs.answers = {qt(csv)};
            // Once whole blocks of rows are on disk, the window is closed: the rows handed
            // to the CSV since the last block must reach the disk too.
            auto* watch = new QTimer(window.get());
            QObject::connect(watch, &QTimer::timeout, [&] {
                std::error_code error;
                const auto size = std::filesystem::file_size(csv, error);
                if (error || size == 0)
                    return;
                dir.write("seen", std::to_string(size));
                window->close();
            });
            watch->start(0);
            click({"PushButton2"});
            std::_Exit(7);  // the run ended before the window was closed
        },
        testing::ExitedWithCode(EXIT_SUCCESS), "");
    const std::string written = readBytes(csv);
    ASSERT_NE(readBytes(seen), "<missing>");
    EXPECT_GT(written.size(), std::stoul(readBytes(seen)));
    EXPECT_TRUE(written.ends_with("\r\n"));
}

TEST_F(gui_test, after_a_run_that_wrote_csvs_one_click_opens_their_folder)
{
    const struct {
        const char* name;
        std::initializer_list<const char*> options;
        const char* saveAnswer;  ///< typed into the save dialog, "" cancels
        const char* opened;      ///< the folder opened, "" for no button
    } rows[] = {
        {"each into the folder box", {"Option8", "Option9"}, "", "out"},
        {"each beside its source", {"Option8", "Option10"}, "", "in"},
        {"one CSV typed without its extension", {"Option7"}, "one/all", "one"},
        {"one CSV cancelled", {"Option7"}, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (const char* folder : {"in", "out", "one"}) {
            std::filesystem::remove_all(dir.path() / folder);
            std::filesystem::create_directories(dir.path() / folder);
        }
        const QString source = qt(dir.write("in/ann.vcf", kAnn));
        start();
        QPushButton& openFolder = control("OpenOutputFolder");
        EXPECT_FALSE(openFolder.isVisible());
        text1().setText(qt(dir.file("out")));
        dialogs.answers = {source};
        click({"PushButton1"});
        click(row.options);
        dialogs.messages.clear();
        dialogs.opened.clear();
        dialogs.asked.clear();
        dialogs.answers = {*row.saveAnswer ? qt(dir.file(row.saveAnswer)) : ""};
        click({"PushButton2"});
        EXPECT_EQ(dialogs.messages, QStringList{"Brimwell: Done."});
        if (*row.saveAnswer) {
            EXPECT_EQ(dialogs.asked, QStringList({"CSV Files (*.csv)", text1().text(), "csv"}));
            EXPECT_NE(readBytes(dir.file(row.saveAnswer) + ".csv").find("Lee"), std::string::npos);
        }
        ASSERT_EQ(openFolder.isVisible(), *row.opened != '\0');
        if (*row.opened) {
            click({"OpenOutputFolder"});
            EXPECT_EQ(dialogs.opened, QStringList{qt(dir.file(row.opened))});
        }
    }
}

TEST_F(gui_test, the_theme_takes_its_colours_from_the_palette_and_follows_it)
{
    std::filesystem::create_directories(dir.path() / "program/x");
    std::filesystem::copy_file(BRIMWELL_GUI_RESOURCES_DIR "/o.cjs", dir.file("program/x/o.cjs"));
    const QPalette original = QApplication::palette();
    QApplication::setPalette(*schemePalette(u"light"));
    start();
    // Light at the start, then the desktop turns dark and light again.
    for (const char* scheme : {"light", "dark", "light"}) {
        SCOPED_TRACE(scheme);
        const QPalette palette = *schemePalette(QString::fromLatin1(scheme));
        QApplication::setPalette(palette);
        QCoreApplication::processEvents();
        const QImage picture = window->grab().toImage();
        EXPECT_EQ(picture.pixelColor(3, 3), palette.color(QPalette::Window));
        const QWidget& frame = control<QWidget>("Frame5");
        const QPoint inside =
            frame.mapTo(window.get(), QPoint(frame.width() - 16, frame.height() / 2));
        const qreal scale = picture.devicePixelRatio();
        EXPECT_EQ(picture.pixelColor(inside * scale), palette.color(QPalette::AlternateBase));
    }
    qApp->setStyleSheet(QString());
    QApplication::setPalette(original);
}

TEST_F(gui_test, the_add_files_dialog_opens_where_files_were_chosen_last)
{
    dir.write("in/a.vcf", kAnn);
    dir.write("gone/b.vcf", kAnn);
    start();
    dialogs.answers = {qt(dir.file("in/a.vcf")), qt(dir.file("gone/b.vcf"))};
    click({"PushButton1"});
    click({"PushButton1"});
    std::filesystem::remove_all(dir.path() / "gone");
    start();
    click({"PushButton1", "PushButton1"});
    // asked: each dialog's filter, then its folder
    EXPECT_EQ(dialogs.asked,
              QStringList({"vCard VCF Files (*.vcf)", QDir::homePath(), "vCard VCF Files (*.vcf)",
                           qt(dir.file("in")), "vCard VCF Files (*.vcf)", QDir::homePath(),
                           "vCard VCF Files (*.vcf)", QDir::homePath()}));
}

TEST_F(gui_test, a_folder_the_desktop_cannot_open_is_named_in_a_message)
{
    dir.write("program/Samples/ann.vcf", kAnn);
    for (bool opens : {true, false}) {
        SCOPED_TRACE(opens);
        dialogs.desktopOpens = opens;
        start();
        dialogs.messages.clear();
        click({"PushButton7"});  // the question is answered Yes
        const QString samples = qt(dir.file("program/Samples/"));
        EXPECT_EQ(dialogs.opened.last(), samples);
        ASSERT_EQ(dialogs.messages.size(), opens ? 1 : 2);
        if (!opens) {
            EXPECT_TRUE(dialogs.messages[1].startsWith(
                "Brimwell: The folder could not be opened: no file manager"));
            EXPECT_TRUE(dialogs.messages[1].endsWith("\n" + samples));
        }
    }
}

constexpr int kStartWidth = 7100 / 15;

TEST_F(gui_test, the_column_fills_a_wide_list_and_keeps_its_width_in_a_narrow_one)
{
    start();
    QHeaderView& header = *list().header();
    for (int width : {1600, 1000, 640, 1200}) {
        window->resize(width, 620);
        QCoreApplication::processEvents();
        const int visible = list().viewport()->width();
        SCOPED_TRACE(visible);
        EXPECT_EQ(header.sectionSize(0), std::max(kStartWidth, visible));
    }
    window->resize(640, 620);
    QCoreApplication::processEvents();
    ASSERT_LT(list().viewport()->width(), kStartWidth);  // the narrow case was met

    // Once the user drags the column's edge, the width stays the user's.
    header.resizeSection(0, 900);
    window->resize(1400, 620);
    QCoreApplication::processEvents();
    EXPECT_EQ(header.sectionSize(0), 900);
}

TEST_F(gui_test, a_restart_puts_the_window_back_where_it_was_if_it_stays_reachable)
{
    start();
    const QSize firstStart = window->size();
    EXPECT_EQ(settings.read("Pellbrook", "Brimwell", "WindowGeometry", "<absent>"), "<absent>");
    window->move(40, 30);
    window->resize(700, 500);
    QCoreApplication::processEvents();
    window->close();  // writes the change still waiting
    EXPECT_EQ(settings.read("Pellbrook", "Brimwell", "WindowGeometry", ""), "40,30,700,500");
    start();
    EXPECT_EQ(window->pos(), QPoint(40, 30));
    EXPECT_EQ(window->size(), QSize(700, 500));
    const QSize minimum = window->minimumSizeHint();
    const QRect screen = window->screen()->availableGeometry();
    const struct {
        const char* name;
        std::string kept;
        std::function<void()> check;
    } rows[] = {
        {"damaged", "wide", [&] { EXPECT_EQ(window->size(), firstStart); }},
        {"off every screen", "5000,4000,700,500",
         [&] {
             EXPECT_EQ(window->size(), QSize(700, 500));
             EXPECT_TRUE(screen.contains(window->pos())) << window->pos().x();
         }},
        {"smaller than the window can be", "10,10,50,40",
         [&] {
             EXPECT_GE(window->width(), minimum.width());
             EXPECT_GE(window->height(), minimum.height());
         }},
        {"bigger than the screen", "0,0,9000,7000",
         [&] { EXPECT_TRUE(screen.size().expandedTo(minimum) == window->size()); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        settings.write("Pellbrook", "Brimwell", "WindowGeometry", row.kept);
        start();
        row.check();
    }
}

}  // namespace
}  // namespace brimwell::test
