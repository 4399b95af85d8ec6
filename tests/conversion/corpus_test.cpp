// Every real-world vCard file of the corpus converts without a crash, hang or error report.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "conversion/gmail_export.h"
#include "conversion/standard_combined.h"
#include "conversion/standard_per_file.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

TEST(corpus_test, every_file_converts_without_error)
{
    test::TempDir out;
    test::ScriptedWindow window;
    window.texts[Control::Text1] = out.path().string();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(BRIMWELL_CORPUS_DIR, error))
        if (entry.path().extension() == ".vcf")
            window.items.push_back(entry.path().string());
    if (window.items.empty())
        GTEST_SKIP() << "corpus not found at " << BRIMWELL_CORPUS_DIR;
    for (const std::string& file : window.items) {
        SCOPED_TRACE(file);
        ConvertTresko(window, file, ",");
        const auto name = std::filesystem::path(file).stem().string() + ".csv";
        EXPECT_EQ(std::ranges::count(test::readBytes(out.file(name)), '\n'), 2);
    }
    for (Control box : {Control::Check3, Control::Check4, Control::Check6, Control::Check8})
        window.checks[box] = 1;
    for (auto convert : {ConvertVCFToGmailSingleCSV, ConvertVCFToGmailSingleCSVLimit}) {
        convert(window, out.file("all.csv"), ",");
        const auto lines = std::ranges::count(test::readBytes(out.file("all.csv")), '\n');
        EXPECT_EQ(static_cast<std::size_t>(lines), window.items.size() + 1);
    }
    ConvertVCFToSingleCSV(window, out.file("all.csv"), ",", false, "");
    ConvertVCFToSingleCSVLimit(window, out.file("all.csv"), ",", false, "");
    EXPECT_TRUE(window.errorReports().empty());
}

}  // namespace
}  // namespace brimwell
