// Every corpus file with a hand-made expectation in golden/ reads to exactly the expected
// contacts (compared as sets of `key: value` lines, contact by contact) and warning count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "contact_lines.h"
#include "vcard/reader.h"

namespace brimwell::vcard {
namespace {

struct Expectation {
    std::vector<std::vector<std::string>> contacts;
    std::size_t warnings = 0;
};

std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

Expectation parseGolden(const std::string& text)
{
    Expectation expectation;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.ends_with('\r'))
            line.pop_back();
        if (line.empty() || line.starts_with('#'))
            continue;
        if (line == "== contact")
            expectation.contacts.emplace_back();
        else if (line.starts_with("== warnings "))
            expectation.warnings = std::stoul(line.substr(12));
        else if (!expectation.contacts.empty())
            expectation.contacts.back().push_back(line);
        else
            ADD_FAILURE() << "a line before the first contact: " << line;
    }
    return expectation;
}

/// The lines of `left` that `right` lacks, both sorted.
std::vector<std::string> missingFrom(const std::vector<std::string>& left,
                                     const std::vector<std::string>& right)
{
    std::vector<std::string> missing;
    std::ranges::set_difference(left, right, std::back_inserter(missing));
    return missing;
}

/// The corpus folder; the environment variable of the same name overrides the built-in one
/// (a worktree elsewhere than beside the corpus).
std::filesystem::path corpusDir()
{
    const char* dir = std::getenv("BRIMWELL_CORPUS_DIR");
    return dir != nullptr ? dir : BRIMWELL_CORPUS_DIR;
}

std::vector<std::filesystem::path> goldenFiles()
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(BRIMWELL_VCARD_GOLDEN_DIR, error))
        if (entry.path().extension() == ".txt")
            files.push_back(entry.path());
    std::ranges::sort(files);
    return files;
}

class golden_test : public testing::TestWithParam<std::filesystem::path> {};

TEST_P(golden_test, reads_the_expected_contacts)
{
    const std::filesystem::path corpusFile = corpusDir() / (GetParam().stem().string() + ".vcf");
    if (!std::filesystem::exists(corpusFile))
        GTEST_SKIP() << "corpus file not found: " << corpusFile;
    const Expectation expected = parseGolden(fileBytes(GetParam()));
    const ReadResult read = readVCards(fileBytes(corpusFile), corpusFile.filename().string());

    EXPECT_EQ(read.contacts.size(), expected.contacts.size()) << "number of contacts";
    const std::size_t common = std::min(read.contacts.size(), expected.contacts.size());
    for (std::size_t i = 0; i < common; ++i) {
        std::vector<std::string> want = expected.contacts[i];
        std::vector<std::string> got = test::contactLines(read.contacts[i]);
        std::ranges::sort(want);
        std::ranges::sort(got);
        std::string diff;
        for (const std::string& line : missingFrom(want, got))
            diff += "  missing:    " + line + "\n";
        for (const std::string& line : missingFrom(got, want))
            diff += "  unexpected: " + line + "\n";
        EXPECT_TRUE(diff.empty()) << "contact " << i + 1 << ":\n" << diff;
    }
    std::string warnings;
    for (const std::string& warning : read.warnings)
        warnings += "  " + warning + "\n";
    EXPECT_EQ(read.warnings.size(), expected.warnings) << "warnings:\n" << warnings;
}

// Blocks of a few bytes cut lines, marks and soft breaks everywhere: nothing may change.
TEST_P(golden_test, reads_the_same_in_small_blocks)
{
    const std::filesystem::path corpusFile = corpusDir() / (GetParam().stem().string() + ".vcf");
    if (!std::filesystem::exists(corpusFile))
        GTEST_SKIP() << "corpus file not found: " << corpusFile;
    const std::string bytes = fileBytes(corpusFile);
    const ReadResult whole = readVCards(bytes, "f.vcf");
    for (std::size_t blockSize : {4, 5, 9}) {
        SCOPED_TRACE("blocks of " + std::to_string(blockSize));
        ReaderOptions options;
        options.blockSize = blockSize;
        const ReadResult read = readVCards(bytes, "f.vcf", options);
        ASSERT_EQ(read.contacts.size(), whole.contacts.size());
        for (std::size_t i = 0; i < read.contacts.size(); ++i)
            EXPECT_EQ(test::contactLines(read.contacts[i]), test::contactLines(whole.contacts[i]));
        EXPECT_EQ(read.warnings, whole.warnings);
    }
}

std::string testName(const testing::TestParamInfo<std::filesystem::path>& info)
{
    std::string name = info.param.stem().string();
    std::ranges::replace_if(
        name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(corpus, golden_test, testing::ValuesIn(goldenFiles()), testName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(golden_test);

}  // namespace
}  // namespace brimwell::vcard
