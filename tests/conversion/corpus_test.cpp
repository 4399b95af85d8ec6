// Every real-world vCard file of the corpus goes through the converters without a crash,
// a hang or an error report.
#include <gtest/gtest.h>

#include <filesystem>

#include "conversion/standard_per_file.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

std::vector<std::filesystem::path> corpusFiles()
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(BRIMWELL_CORPUS_DIR, error))
        if (entry.path().extension() == ".vcf")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

/// The number of CR LF line ends of a CSV.
long lineCount(const std::string& csv)
{
    long count = 0;
    for (auto at = csv.find("\r\n"); at != std::string::npos; at = csv.find("\r\n", at + 2))
        ++count;
    return count;
}

TEST(corpus_test, every_file_gives_a_two_line_csv_without_error)
{
    const auto files = corpusFiles();
    if (files.empty())
        GTEST_SKIP() << "corpus not found at " << BRIMWELL_CORPUS_DIR;
    test::TempDir out;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        test::ScriptedWindow window;
        window.texts[Control::Text1] = out.path().string();
        ConvertTresko(window, file.string(), ",");
        const auto csv = test::readBytes(out.file(file.stem().string() + ".csv"));
        EXPECT_EQ(lineCount(csv), 2);
        EXPECT_TRUE(window.errorReports().empty());
    }
}

}  // namespace
}  // namespace brimwell
