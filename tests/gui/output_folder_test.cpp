// Where a finished run wrote its CSV files.
#include "gui/output_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <QDir>

#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell::test {
namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

TEST(output_folder_test, the_folder_that_received_a_csv_during_the_run)
{
    TempDir dir;
    const QDateTime started = QDateTime::currentDateTime();
    dir.write("one/all.csv", "x");
    dir.write("box/a.csv", "x");
    dir.write("old/a.csv", "x");
    dir.write("first/a.vcf", "x");
    dir.write("second/b.vcf", "x");
    dir.write("second/b.csv", "x");
    const auto yesterday = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time(dir.file("old/a.csv"), yesterday);
    dir.write("stale/all.csv", "x");
    std::filesystem::last_write_time(dir.file("stale/all.csv"), yesterday);

    const struct {
        const char* name;
        Control save;
        Control destination;
        std::string folderBox;
        std::string savedFile;
        QString found;
    } rows[] = {
        {"one CSV", Control::Option7, Control::Option9, "", dir.file("one/all.csv"),
         qt(dir.file("one"))},
        {"one CSV not written", Control::Option7, Control::Option9, "", dir.file("one/none.csv"),
         ""},
        {"one CSV from before the run", Control::Option7, Control::Option9, "",
         dir.file("stale/all.csv"), ""},
        {"save dialog cancelled", Control::Option7, Control::Option9, "", "", ""},
        {"each into the folder box", Control::Option8, Control::Option9, dir.file("box") + "/", "",
         qt(dir.file("box"))},
        {"folder box with older CSVs only", Control::Option8, Control::Option9, dir.file("old"), "",
         ""},
        {"each beside its source", Control::Option8, Control::Option10, "", "",
         qt(dir.file("second"))},
    };
    for (const auto& row : rows) {
        ScriptedWindow window;
        window.select(row.save);
        window.select(row.destination);
        window.texts[Control::Text1] = row.folderBox;
        window.items = {dir.file("first/a.vcf"), dir.file("second/b.vcf")};
        EXPECT_EQ(outputFolderOfRun(window, row.savedFile, started), row.found) << row.name;
    }
}

}  // namespace
}  // namespace brimwell::test
