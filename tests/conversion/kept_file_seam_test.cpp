// Keeping the last file's lines in pass 1 is a speed-up only: the combined converter with
// and without it writes the same bytes and shows the same progress and messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "conversion/standard_combined.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    std::string csv;
    std::vector<std::string> progressTexts;
    std::vector<int> progressValues;
    std::vector<std::string> reports;
    std::vector<std::string> information;
};

Outcome convert(const std::vector<std::string>& files, RuleSet rules,
                const std::vector<Control>& ticked, LastFileKeeping keeping)
{
    test::TempDir dir;
    test::ScriptedWindow window;
    window.items = files;
    for (const Control box : ticked)
        window.setCheckValue(box, 1);
    const std::string csv = dir.file("all.csv");
    convertCombined(window, csv, ",", rules, false, "", keeping);
    return {test::readBytes(csv), window.progressTexts, window.progressValues,
            window.errorReports(), window.informationTexts()};
}

std::vector<std::string> vcardsIn(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code missing;  // no corpus here: no files
    for (const auto& entry : fs::directory_iterator(folder, missing))
        if (entry.path().extension() == ".vcf")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(kept_file_seam_test, with_and_without_the_kept_file_the_output_is_the_same)
{
    const std::vector<std::string> samples = vcardsIn(BRIMWELL_SAMPLES_DIR);
    const std::vector<std::string> corpus = vcardsIn(BRIMWELL_CORPUS_DIR);
    ASSERT_FALSE(samples.empty());
    struct Row {
        const char* name;
        std::vector<std::string> files;
        RuleSet rules;
        std::vector<Control> ticked;
    };
    std::vector<Row> rows = {
        {"samples", samples, RuleSet::All, {}},
        {"samples quoted, line breaks removed",
         samples,
         RuleSet::All,
         {Control::Check9, Control::Check10}},
        {"samples filtered", samples, RuleSet::Filtered, {Control::Check3, Control::Check6}},
        {"one file", {samples.front()}, RuleSet::All, {}},
        {"the last file is missing", {samples.front(), "/nonexistent/gone.vcf"}, RuleSet::All, {}},
        {"the last file is listed twice",
         {samples.back(), samples.front(), samples.back()},
         RuleSet::All,
         {}},
    };
    if (!corpus.empty())
        rows.push_back({"corpus", corpus, RuleSet::All, {Control::Check9}});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome kept = convert(row.files, row.rules, row.ticked, LastFileKeeping::Keep);
        const Outcome declined =
            convert(row.files, row.rules, row.ticked, LastFileKeeping::Decline);
        EXPECT_FALSE(kept.csv.empty());
        EXPECT_TRUE(kept.csv == declined.csv);
        EXPECT_EQ(kept.progressTexts, declined.progressTexts);
        EXPECT_EQ(kept.progressValues, declined.progressValues);
        EXPECT_EQ(kept.reports, declined.reports);
        EXPECT_EQ(kept.information, declined.information);
    }
}

}  // namespace
}  // namespace brimwell
