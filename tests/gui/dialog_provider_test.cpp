// The dialogs' helpers and the desktop opener.
#include "gui/dialog_provider.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>

#include "support/temp_dir.h"
#include "window_test_fixture.h"

namespace brimwell::test {
namespace {

TEST(dialog_provider_test, a_typed_name_without_extension_gets_the_suffix)
{
    const struct {
        const char* name;
        QString typed;
        QString suffix;
        QString saved;
    } rows[] = {
        {"bare name", "/out/all", "csv", "/out/all.csv"},
        {"dot in the folder only", "/out.d/all", "csv", "/out.d/all.csv"},
        {"same extension", "/out/all.csv", "csv", "/out/all.csv"},
        {"other extension kept", "/out/all.txt", "csv", "/out/all.txt"},
        {"extension in capitals", "/out/ALL.CSV", "csv", "/out/ALL.CSV"},
        {"trailing dot kept", "/out/all.", "csv", "/out/all."},
        {"hidden name kept", "/out/.all", "csv", "/out/.all"},
        {"cancelled", "", "csv", ""},
        {"no suffix to add", "/out/all", "", "/out/all"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(withDefaultSuffix(row.typed, row.suffix), row.saved) << row.name;
}

TEST(dialog_provider_test, the_suffix_comes_from_the_filters_first_pattern)
{
    EXPECT_EQ(filterSuffix("CSV Files (*.csv)|*.csv"), "csv");
    EXPECT_EQ(filterSuffix("vCard VCF Files (*.vcf)|*.vcf|"), "vcf");
    EXPECT_EQ(filterSuffix("Text (*.txt;*.csv)|*.txt;*.csv"), "txt");
    EXPECT_EQ(filterSuffix("All Files (*.*)|*.*"), "");
    EXPECT_EQ(filterSuffix("No pattern"), "");
}

/// The desktop opener as an xdg-open on the PATH that ends with `status`.
class desktop_opener_test : public testing::Test {
protected:
    TempDir dir;
    QByteArray savedPath = qgetenv("PATH");

    static void SetUpTestSuite() { WindowTest::SetUpTestSuite(); }
    static void TearDownTestSuite() { WindowTest::TearDownTestSuite(); }
    void TearDown() override { qputenv("PATH", savedPath); }
    void installOpener(int status)
    {
        const std::string script =
            dir.write("bin/xdg-open", "#!/bin/sh\necho \"$1\" > " + dir.file("asked") + "\nexit " +
                                          std::to_string(status) + "\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        qputenv("PATH", QByteArray::fromStdString(dir.file("bin")) + ":/usr/bin:/bin");
    }
};

TEST_F(desktop_opener_test, the_opener_says_whether_it_found_a_program)
{
    QtDialogs dialogs;
    installOpener(0);
    EXPECT_TRUE(dialogs.openWithDesktop("/srv/samples/"));
    EXPECT_EQ(readBytes(dir.file("asked")), "/srv/samples/\n");
    installOpener(3);  // xdg-open's status when no program is set up for the folder
    EXPECT_FALSE(dialogs.openWithDesktop("/srv/samples/"));
}

}  // namespace
}  // namespace brimwell::test
