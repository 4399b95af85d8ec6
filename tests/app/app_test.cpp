#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/sample_files.h"
#include "support/memory_settings_store.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

using test::ScriptedWindow;
using Texts = std::vector<std::string>;

TEST(sample_files_test, cipher_shifts_bytes_by_the_key)
{
    const std::tuple<const char*, std::string, std::string, std::string> rows[] = {
        // name, text, key, enciphered
        {"65 under 97", "\x41", "\x61", "\xA2"},
        {"200 under 100 wraps", "\xC8", "\x64", "\x2D"},
        {"255 under 1 wraps to 1", "\xFF", "\x01", "\x01"},
        {"key repeats", "AAA", "ab", "\xA2\xA3\xA2"}};
    for (const auto& [name, text, key, enciphered] : rows) {
        SCOPED_TRACE(name);
        ScriptedWindow window;
        EXPECT_EQ(EncipherText(window, text, key), enciphered);
        EXPECT_EQ(DecipherText(window, enciphered, key), text);
    }
    std::string every;
    for (int code = 1; code <= 255; ++code)
        every += static_cast<char>(code);
    ScriptedWindow window;
    EXPECT_EQ(DecipherText(window, EncipherText(window, every, kCipherKey), kCipherKey), every);
}

TEST(sample_files_test, snapshot_lists_the_samples_and_loading_adds_each_once)
{
    test::TempDir program;
    const std::string folder = program.path().string();
    ScriptedWindow window;
    test::MemorySettingsStore settings;
    BuildSampleSnapshot(window, settings, folder);
    EXPECT_EQ(settings.get("Snapshot"), "");  // no samples folder
    for (const char* name : {"Samples/one.vcf", "Samples/two.vcf", "Samples/nested/three.vcf"})
        program.write(name, "");
    BuildSampleSnapshot(window, settings, folder);
    const std::string plain = DecipherText(window, settings.get("Snapshot"), kCipherKey);
    const auto bar = plain.find('|');
    EXPECT_EQ(std::set<std::string>({plain.substr(0, bar), plain.substr(bar + 1)}),
              std::set<std::string>({folder + "/Samples/one.vcf", folder + "/Samples/two.vcf"}));

    std::filesystem::remove(folder + "/Samples/two.vcf");
    window.items = {folder + "/SAMPLES/one.vcf"};
    LoadSampleFiles(window, settings, folder);
    window.messageAnswers = {MessageAnswer::Yes};
    LoadSampleFiles(window, settings, folder);
    EXPECT_EQ(window.items, Texts({folder + "/SAMPLES/one.vcf", folder + "/Samples/one.vcf"}));
    const std::string question =
        "Would you like this software to open the folder where these sample files "
        "are stored (so that you can view them before working with them)?";
    EXPECT_EQ(window.informationTexts(), Texts({question, question}));
    EXPECT_EQ(window.messages[0].caption, "Brimwell");
    EXPECT_EQ(window.shellOpened, Texts{folder + "/Samples/"});
}

}  // namespace
}  // namespace brimwell
