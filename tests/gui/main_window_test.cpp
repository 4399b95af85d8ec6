// The window's own additions around the core: the file count, the output-folder button
// after a run and a theme that follows the palette.
#include <QDir>
#include <QLabel>
#include <QTimer>

#include "gui/color_scheme.h"
#include "window_test_fixture.h"

namespace brimwell::test {
namespace {

using main_window_test = WindowTest;

TEST_F(main_window_test, the_count_beside_the_list_follows_the_list)
{
    start();
    const QLabel& count = control<QLabel>("FileCount");
    EXPECT_EQ(count.text(), "No files");
    dialogs.answers = {"/a.vcf|/b.vcf|/c.vcf", "/d.vcf"};
    click({"PushButton1"});
    EXPECT_EQ(count.text(), "3 files");
    list().setCurrentItem(list().topLevelItem(0));
    mouseOnRow(QEvent::MouseButtonDblClick, 1, Qt::LeftButton);
    list().setCurrentItem(list().topLevelItem(0));
    mouseOnRow(QEvent::MouseButtonDblClick, 1, Qt::LeftButton);
    EXPECT_EQ(count.text(), "1 file");
    click({"PushButton6"});
    EXPECT_EQ(count.text(), "No files");
    EXPECT_EQ(list().headerItem()->text(0), " VCF Files");
}

// The death test forks: the child runs the window and is ended by its close; the parent
// reads what reached the disk.
TEST_F(main_window_test, closing_during_a_run_keeps_the_lines_handed_to_the_csv)
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

TEST_F(main_window_test, after_a_run_that_wrote_csvs_one_click_opens_their_folder)
{
    const struct {
        const char* name;
        std::initializer_list<const char*> options;
        QString saveAnswer;
        std::string expected;  ///< the folder opened, "" for no button
    } rows[] = {
        {"each into the folder box", {"Option8", "Option9"}, "", "out"},
        {"each beside its source", {"Option8", "Option10"}, "", "in"},
        {"one CSV", {"Option7"}, "one/all", "one"},
        {"one CSV cancelled", {"Option7"}, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString source = qt(dir.write("in/ann.vcf", kAnn));
        std::filesystem::create_directories(dir.path() / "out");
        std::filesystem::create_directories(dir.path() / "one");
        start();
        QPushButton& openFolder = control("OpenOutputFolder");
        EXPECT_FALSE(openFolder.isVisible());
        text1().setText(qt(dir.file("out")));
        dialogs.answers = {source};
        click({"PushButton1"});
        click(row.options);
        dialogs.messages.clear();
        dialogs.opened.clear();
        dialogs.answers = {row.saveAnswer.isEmpty() ? ""
                                                    : qt(dir.file(row.saveAnswer.toStdString()))};
        click({"PushButton2"});
        EXPECT_EQ(dialogs.messages, QStringList{"Brimwell: Done."});
        ASSERT_EQ(openFolder.isVisible(), !row.expected.empty());
        if (!row.expected.empty()) {
            click({"OpenOutputFolder"});
            EXPECT_EQ(dialogs.opened, QStringList{qt(dir.file(row.expected))});
        }
        std::filesystem::remove_all(dir.path() / "in");
        std::filesystem::remove_all(dir.path() / "out");
        std::filesystem::remove_all(dir.path() / "one");
    }
}

TEST_F(main_window_test, the_theme_takes_its_colours_from_the_palette_and_follows_it)
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

}  // namespace
}  // namespace brimwell::test
