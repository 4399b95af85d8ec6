// The window's helpers: the dialogs' suffix, the desktop opener, the flow layout of the
// list's buttons, the folder a run wrote to and the kept window place.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "gui/dialog_provider.h"
#include "gui/flow_layout.h"
#include "gui/output_folder.h"
#include "gui/window_geometry.h"
#include "support/scripted_window.h"
#include "window_test_fixture.h"

namespace brimwell::test {
namespace {

using gui_parts_test = WindowTest;

TEST_F(gui_parts_test, a_typed_name_without_extension_gets_the_filters_suffix)
{
    const std::tuple<QString, QString, QString> rows[] = {
        {"/out/all", "csv", "/out/all.csv"},
        {"/out.d/all", "csv", "/out.d/all.csv"},
        {"/out/all.csv", "csv", "/out/all.csv"},
        {"/out/all.txt", "csv", "/out/all.txt"},
        {"/out/ALL.CSV", "csv", "/out/ALL.CSV"},
        {"/out/all.", "csv", "/out/all."},
        {"/out/.all", "csv", "/out/.all"},
        {"", "csv", ""},
        {"/out/all", "", "/out/all"},
    };
    for (const auto& [typed, suffix, saved] : rows)
        EXPECT_EQ(withDefaultSuffix(typed, suffix), saved) << typed.toStdString();
    const std::pair<std::string_view, QString> filters[] = {
        {"CSV Files (*.csv)|*.csv", "csv"},
        {"vCard VCF Files (*.vcf)|*.vcf|", "vcf"},
        {"Text (*.txt;*.csv)|*.txt;*.csv", "txt"},
        {"All Files (*.*)|*.*", ""},
        {"No pattern", ""},
    };
    for (const auto& [filter, suffix] : filters)
        EXPECT_EQ(filterSuffix(filter), suffix) << filter;
}

TEST_F(gui_parts_test, the_desktop_opener_says_whether_it_found_a_program)
{
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(dir.file("bin")) + ":/usr/bin:/bin");
    QtDialogs desktop;
    for (int status : {0, 3}) {  // 3: xdg-open's status when no program is set up for it
        const std::string script =
            dir.write("bin/xdg-open", "#!/bin/sh\necho \"$1\" > " + dir.file("asked") + "\nexit " +
                                          std::to_string(status) + "\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        EXPECT_EQ(desktop.openWithDesktop("/srv/samples/"), status == 0);
        EXPECT_EQ(readBytes(dir.file("asked")), "/srv/samples/\n");
    }
    qputenv("PATH", savedPath);
}

TEST_F(gui_parts_test, flow_layout_items_wrap_to_the_width_and_the_last_keeps_right)
{
    constexpr QSize kItem(100, 30);
    const std::tuple<int, int, int> cases[] = {// width, rows, height
                                               {1000, 1, 30},
                                               {430, 1, 30},
                                               {429, 2, 70},
                                               {250, 2, 70},
                                               {150, 4, 150}};
    for (const auto& [width, rows, height] : cases) {
        SCOPED_TRACE(width);
        QWidget host;
        auto* layout = new FlowLayout(&host);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(10);
        std::vector<QWidget*> items;
        for (int index = 0; index < 4; ++index) {
            items.push_back(new QWidget(&host));
            items.back()->setFixedSize(kItem);
            layout->addWidget(items.back());
        }
        layout->setRightAlignedFrom(3);
        EXPECT_EQ(layout->heightForWidth(width), height);
        layout->setGeometry(QRect(0, 0, width, height));
        std::set<int> tops;
        for (std::size_t index = 0; index < items.size(); ++index) {
            const QRect place = items[index]->geometry();
            EXPECT_EQ(place.size(), kItem);
            EXPECT_TRUE(QRect(0, 0, width, height).contains(place)) << index;
            for (std::size_t other = 0; other < index; ++other)
                EXPECT_FALSE(place.intersects(items[other]->geometry())) << index;
            tops.insert(place.top());
        }
        EXPECT_EQ(int(tops.size()), rows);
        EXPECT_EQ(items.back()->geometry().right(), width - 1);
        EXPECT_EQ(items.front()->geometry().topLeft(), QPoint(0, 0));
    }
}

TEST_F(gui_parts_test, the_output_folder_is_the_one_that_received_a_csv_during_the_run)
{
    const QDateTime started = QDateTime::currentDateTime();
    for (const char* name : {"one/all.csv", "box/a.csv", "old/a.csv", "first/a.vcf", "second/b.vcf",
                             "second/b.csv", "stale/all.csv"})
        dir.write(name, "x");
    const auto yesterday = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time(dir.file("old/a.csv"), yesterday);
    std::filesystem::last_write_time(dir.file("stale/all.csv"), yesterday);
    const struct {
        const char* name;
        Control save, destination;
        std::string folderBox, savedFile;
        const char* found;
    } rows[] = {
        {"one CSV", Control::Option7, Control::Option9, "", dir.file("one/all.csv"), "one"},
        {"one CSV not written", Control::Option7, Control::Option9, "", dir.file("one/no.csv"), ""},
        {"one CSV from before the run", Control::Option7, Control::Option9, "",
         dir.file("stale/all.csv"), ""},
        {"save dialog cancelled", Control::Option7, Control::Option9, "", "", ""},
        {"each into the folder box", Control::Option8, Control::Option9, dir.file("box") + "/", "",
         "box"},
        {"folder box with older CSVs only", Control::Option8, Control::Option9, dir.file("old"), "",
         ""},
        {"each beside its source", Control::Option8, Control::Option10, "", "", "second"},
    };
    for (const auto& row : rows) {
        ScriptedWindow window;
        window.select(row.save);
        window.select(row.destination);
        window.texts[Control::Text1] = row.folderBox;
        window.items = {dir.file("first/a.vcf"), dir.file("second/b.vcf")};
        EXPECT_EQ(outputFolderOfRun(window, row.savedFile, started),
                  *row.found ? qt(dir.file(row.found)) : QString())
            << row.name;
    }
}

TEST_F(gui_parts_test, a_kept_window_place_reads_back_and_a_damaged_one_is_refused)
{
    const std::pair<const char*, std::optional<QRect>> rows[] = {
        {"120,80,1000,620", QRect(120, 80, 1000, 620)},
        {" -40, 0, 900 ,600", QRect(-40, 0, 900, 600)},
        {"1,2,3", std::nullopt},
        {"1,2,3,4,5", std::nullopt},
        {"a,b,c,d", std::nullopt},
        {"1.5,2,300,400", std::nullopt},
        {"0,0,0,400", std::nullopt},
        {"0,0,300,-1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, geometry] : rows)
        EXPECT_EQ(parseGeometry(text), geometry) << text;
}

}  // namespace
}  // namespace brimwell::test
