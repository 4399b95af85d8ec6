// The folder a run wrote to.
#include "gui/output_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scripted_window.h"
#include "window_test_fixture.h"

namespace brimwell::test {
namespace {

using output_folder_test = WindowTest;

TEST_F(output_folder_test, the_output_folder_is_the_one_that_received_a_csv_during_the_run)
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

}  // namespace
}  // namespace brimwell::test
