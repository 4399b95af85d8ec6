// The guard that keeps a run from replacing its own sources: every spelling of a listed
// file is refused, other targets pass.
#include "conversion/source_guard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

namespace fs = std::filesystem;

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
