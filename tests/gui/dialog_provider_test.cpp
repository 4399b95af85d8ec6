// The dialogs' suffix for a typed name, and the desktop opener.
#include "gui/dialog_provider.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "window_test_fixture.h"

namespace brimwell::test {
namespace {

using dialog_provider_test = WindowTest;

TEST_F(dialog_provider_test, a_typed_name_without_extension_gets_the_filters_suffix)
{
    const std::tuple<QString, QString, QString> rows[] = {
        {"/out/all", "csv", "/out/all.csv"},
        {"/out.d/all", "csv", "/out.d/all.csv"},
        {"/out/all.csv", "csv", "/out/all.csv"},
        {"/out/all.txt", "csv", "/out/all.txt"},
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

TEST_F(dialog_provider_test, the_desktop_opener_says_whether_it_found_a_program)
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

}  // namespace
}  // namespace brimwell::test
