// Where a per-file CSV goes, and the guard that keeps a run from replacing its own sources.
#include "conversion/source_guard.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "conversion/gmail_export.h"
#include "conversion/output_path.h"
#include "conversion/standard_per_file.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

namespace fs = std::filesystem;

TEST(output_path_test, per_file_target_and_no_file_without_a_destination)
{
    test::TempDir dir;
    test::ScriptedWindow window;  // Option9: the Text1 folder
    window.texts[Control::Text1] = "/out";
    EXPECT_EQ(perFileTarget(window, "/in/team.vcf"), "/out/team.csv");
    window.texts[Control::Text1] = "/out/";
    EXPECT_EQ(perFileTarget(window, "/in/team.vcf"), "/out/team.csv");
    window.select(Control::Option10);
    EXPECT_EQ(perFileTarget(window, "/in/team.vcf"), "/in/team.csv");
    window.options[Control::Option10] = false;
    EXPECT_EQ(perFileTarget(window, "/in/team.vcf"), "");
    window.checks[Control::Check6] = 1;
    const std::string source = dir.write("c.vcf", "FN:Ann\r\nN:Lee;Ann\r\n");
    for (auto convert :
         {ConvertTresko, ConvertTreskoLimit, ConvertVCFToGmailCSV, ConvertVCFToGmailCSVLimit})
        convert(window, source, ",");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
    EXPECT_TRUE(window.messages.empty());
}

TEST(source_guard_test, refuses_every_spelling_of_a_listed_file_and_passes_others)
{
    test::TempDir dir;
    test::ScriptedWindow window;
    const std::string source = dir.write("in/ann.vcf", "BEGIN:VCARD\r\nFN:Ann\r\nEND:VCARD\r\n");
    const auto refusal = [&](const std::string& target, const std::string& own) -> std::string {
        try {
            refuseListedSource(window, target, own, "what happened");
        } catch (const SourceOverwriteError& error) {
            return error.what();
        }
        return {};
    };
    // The own source counts when it is not listed.
    EXPECT_NE(refusal(source, source), "");
    window.items = {source};
    fs::create_symlink(source, dir.file("link.csv"));
    fs::create_hard_link(source, dir.file("hard.csv"));
    const auto previous = fs::current_path();
    fs::current_path(dir.path());
    for (const std::string& target :
         {source, dir.file("in/./x/../ann.vcf"), dir.file("in//ann.vcf"), std::string("in/ann.vcf"),
          dir.file("link.csv"), dir.file("hard.csv")}) {
        SCOPED_TRACE(target);
        EXPECT_EQ(refusal(target, ""), "The CSV file would replace the listed source file " +
                                           source + "; what happened.");
        EXPECT_TRUE(sameFile(target, source));
    }
    fs::current_path(previous);
    // A listed file that is gone is still refused by its name.
    window.items.push_back(dir.file("in/vanished.vcf"));
    EXPECT_NE(refusal(dir.file("in/vanished.vcf"), ""), "");
    for (const std::string& target : {std::string(), dir.file("in/ann.csv"), dir.file("ann.vcf"),
                                      dir.file("in/ann.vcf/x.csv")}) {
        SCOPED_TRACE(target);
        EXPECT_EQ(refusal(target, ""), "");
        EXPECT_FALSE(sameFile(target, source));
    }
}

}  // namespace
}  // namespace brimwell
