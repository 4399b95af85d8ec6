#include "gui/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gui_test_support.h"

namespace brimwell {
namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

TEST(program_folder_test, resources_come_from_the_program_folder_or_the_installed_data_folder)
{
    test::TempDir dir;
    dir.write("build/bin/Samples/a.vcf", "x");
    dir.write("usr/share/brimwell/Samples/a.vcf", "x");
    std::filesystem::create_directories(dir.path() / "usr/bin");
    std::filesystem::create_directories(dir.path() / "bare");
    EXPECT_EQ(resourceFolder(qt(dir.file("build/bin"))), qt(dir.file("build/bin")));
    EXPECT_EQ(resourceFolder(qt(dir.file("usr/bin"))), qt(dir.file("usr/share/brimwell")));
    EXPECT_EQ(resourceFolder(qt(dir.file("bare"))), qt(dir.file("bare")));
}

TEST(program_folder_test, a_missing_or_unreadable_cursor_file_gives_the_fallback)
{
    test::TempDir dir;
    const std::string broken = dir.write("HAND-M.CUR", "not a cursor");
    EXPECT_EQ(loadCursor(qt(broken), Qt::PointingHandCursor).shape(), Qt::PointingHandCursor);
    EXPECT_EQ(loadCursor(qt(dir.file("none.ico")), Qt::ClosedHandCursor).shape(),
              Qt::ClosedHandCursor);
    const QCursor drag = loadCursor(BRIMWELL_GUI_RESOURCES_DIR "/drag.ico", Qt::ClosedHandCursor);
    EXPECT_EQ(drag.shape(), Qt::BitmapCursor);
    EXPECT_EQ(drag.hotSpot(), QPoint(16, 16));  // an icon's pointer is centred
}

}  // namespace
}  // namespace brimwell
