// The Window port's own additions: the open dialog's folder, the save dialog's suffix and
// a folder that the desktop cannot open.
#include <QDir>

#include "window_test_fixture.h"

namespace brimwell::test {
namespace {

using qt_window_test = WindowTest;

TEST_F(qt_window_test, the_add_files_dialog_opens_where_files_were_chosen_last)
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

TEST_F(qt_window_test, a_typed_csv_name_without_extension_is_saved_as_csv)
{
    start();
    dir.write("in/a.vcf", kAnn);
    text1().setText(qt(dir.file("")));
    click({"Option7"});
    dialogs.answers = {qt(dir.file("in/a.vcf")), qt(dir.file("all")), qt(dir.file("all.txt"))};
    click({"PushButton1", "PushButton2", "PushButton2"});
    EXPECT_EQ(dialogs.asked.mid(2, 3), QStringList({"CSV Files (*.csv)", qt(dir.file("")), "csv"}));
    EXPECT_NE(readBytes(dir.file("all.csv")).find("Lee"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.file("all.txt")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("all")));
}

TEST_F(qt_window_test, a_folder_the_desktop_cannot_open_is_named_in_a_message)
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

}  // namespace
}  // namespace brimwell::test
