#include "app/sample_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/memory_settings_store.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

using test::ScriptedWindow;

TEST(sample_files_test, cipher_shifts_bytes_by_the_key)
{
    const std::vector<std::tuple<const char*, std::string, std::string, std::string>> rows = {
        // name, text, key, enciphered
        {"65 under 97", "\x41", "\x61", "\xA2"},
        {"200 under 100 wraps", "\xC8", "\x64", "\x2D"},
        {"255 under 1 wraps to 1", "\xFF", "\x01", "\x01"},
        {"key repeats", "AAA", "ab", "\xA2\xA3\xA2"},
        {"empty text", "", "key", ""},
    };
    for (const auto& [name, text, key, enciphered] : rows) {
        SCOPED_TRACE(name);
        ScriptedWindow window;
        EXPECT_EQ(EncipherText(window, text, key), enciphered);
        EXPECT_EQ(DecipherText(window, enciphered, key), text);
        EXPECT_EQ(window.yields, static_cast<int>(2 * text.size()));
    }

    EXPECT_EQ(kCipherKey.size(), 8u);
    EXPECT_TRUE(std::all_of(kCipherKey.begin(), kCipherKey.end(), ::islower));
    std::string every;
    for (int code = 1; code <= 255; ++code)
        every += static_cast<char>(code);
    ScriptedWindow window;
    EXPECT_EQ(DecipherText(window, EncipherText(window, every, kCipherKey), kCipherKey), every);
}

struct Samples {
    test::TempDir program;
    ScriptedWindow window;
    test::MemorySettingsStore settings;
    std::string folder() const { return program.path().string(); }
    std::string sample(const char* name) const { return folder() + "/Samples/" + name; }
};

TEST(sample_files_test, snapshot_records_the_samples_folder_files)
{
    Samples s;
    BuildSampleSnapshot(s.window, s.settings, s.folder());
    EXPECT_EQ(s.settings.get("Snapshot"), "");  // no samples folder

    for (const char* name : {"Samples/one.vcf", "Samples/two.vcf", "Samples/nested/three.vcf"})
        s.program.write(name, "");
    BuildSampleSnapshot(s.window, s.settings, s.folder());
    const std::string plain = DecipherText(s.window, s.settings.get("Snapshot"), kCipherKey);
    const auto bar = plain.find('|');
    EXPECT_EQ(std::set<std::string>({plain.substr(0, bar), plain.substr(bar + 1)}),
              std::set<std::string>({s.sample("one.vcf"), s.sample("two.vcf")}));
}

TEST(sample_files_test, loading_adds_each_existing_sample_once_and_always_asks)
{
    Samples s;
    s.program.write("Samples/one.vcf", "");
    s.program.write("Samples/two.vcf", "");
    BuildSampleSnapshot(s.window, s.settings, s.folder());
    std::filesystem::remove(s.sample("two.vcf"));
    s.window.items = {s.folder() + "/SAMPLES/one.vcf"};

    LoadSampleFiles(s.window, s.settings, s.folder());
    s.window.messageAnswers = {MessageAnswer::Yes};
    LoadSampleFiles(s.window, s.settings, s.folder());

    EXPECT_EQ(s.window.items,
              std::vector<std::string>({s.folder() + "/SAMPLES/one.vcf", s.sample("one.vcf")}));
    ASSERT_EQ(s.window.messages.size(), 2u);
    for (const auto& message : s.window.messages) {
        EXPECT_EQ(message.text,
                  "Would you like this software to open the folder where these sample files are "
                  "stored (so that you can view them before working with them)?");
        EXPECT_EQ(message.buttons, MessageButtons::YesNo);
    }
    EXPECT_EQ(s.window.shellOpened, std::vector<std::string>({s.folder() + "/Samples/"}));
}

}  // namespace
}  // namespace brimwell
