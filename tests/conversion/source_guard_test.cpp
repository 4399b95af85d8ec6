#include "conversion/source_guard.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

namespace fs = std::filesystem;

class source_guard_test : public testing::Test {
protected:
    test::TempDir dir;
    test::ScriptedWindow window;
    std::string source = dir.write("in/ann.vcf", "BEGIN:VCARD\r\nFN:Ann\r\nEND:VCARD\r\n");

    /// The report for `target`, or "" when the guard lets it pass.
    std::string refusal(const std::string& target, const std::string& own = {})
    {
        try {
            refuseListedSource(window, target, own, "what happened");
        } catch (const SourceOverwriteError& error) {
            return error.what();
        }
        return {};
    }
};

TEST_F(source_guard_test, every_spelling_of_a_listed_file_is_refused)
{
    window.items = {source};
    fs::create_symlink(source, dir.file("link.csv"));
    fs::create_hard_link(source, dir.file("hard.csv"));
    const auto previous = fs::current_path();
    fs::current_path(dir.path());
    struct Case {
        const char* name;
        std::string target;
    };
    for (const auto& [name, target] :
         {Case{"the same text", source},
          Case{"a dot and a parent step", dir.file("in/./x/../ann.vcf")},
          Case{"doubled separators", dir.file("in//ann.vcf")}, Case{"relative", "in/ann.vcf"},
          Case{"a symbolic link", dir.file("link.csv")},
          Case{"a hard link", dir.file("hard.csv")}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(refusal(target), "The CSV file would replace the listed source file " + source +
                                       "; what happened.");
        EXPECT_TRUE(sameFile(target, source));
    }
    fs::current_path(previous);
}

TEST_F(source_guard_test, the_own_source_counts_when_it_is_not_listed)
{
    EXPECT_NE(refusal(source, source), "");
    window.items = {dir.file("in/other.vcf")};
    EXPECT_NE(refusal(dir.file("in/other.vcf")), "");
}

TEST_F(source_guard_test, other_targets_pass)
{
    window.items = {source, dir.file("in/vanished.vcf")};
    for (const std::string& target : {std::string(), dir.file("in/ann.csv"), dir.file("ann.vcf"),
                                      dir.file("in/ann.vcf/x.csv")}) {
        SCOPED_TRACE(target);
        EXPECT_EQ(refusal(target), "");
    }
    EXPECT_FALSE(sameFile(dir.file("in/ann.csv"), source));
    // A listed file that is gone is still refused by its name.
    EXPECT_NE(refusal(dir.file("in/vanished.vcf")), "");
}

}  // namespace
}  // namespace brimwell
