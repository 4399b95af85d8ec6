#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <set>
#include <stdexcept>

#include "app/sample_files.h"
#include "base/error_trap.h"
#include "base/messages.h"
#include "support/memory_settings_store.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

using test::ScriptedWindow;
using Texts = std::vector<std::string>;

TEST(error_trap_test, reports_each_failing_step_and_goes_on_with_the_next)
{
    ScriptedWindow window;
    ErrorTrap trap(window, "AddFolder", "GetSubDirectories2016", "Tag");
    std::vector<int> ran;
    EXPECT_TRUE(trap.step(1, [&] { ran.push_back(1); }));
    EXPECT_FALSE(trap.step(2, [] { throw std::bad_alloc(); }));
    trap.step(3, [&] { ran.push_back(3); });
    trap.step(4, [] { throw 42; });
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
    EXPECT_EQ(trap.reportCount(), 2);
    const std::string at = "\r\nin Tag.AddFolder.GetSubDirectories2016 at line ";
    const std::string ask = "\r\rPlease email screenshot of this message to support@brimwell.app";
    EXPECT_EQ(window.errorReports(),
              (Texts{"Out of memory" + at + "2" + ask, "Unknown error" + at + "4" + ask}));
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Exclamation);
}

TEST(messages_test, title_drops_last_words_down_to_forty_characters)
{
    EXPECT_EQ(SetApplicationTitle("Brimwell"), "Brimwell");
    EXPECT_EQ(SetApplicationTitle("Brimwell Contact Converter"), "Brimwell Contact");
    EXPECT_EQ(SetApplicationTitle(std::string(36, 'x') + " abcd z"),
              std::string(36, 'x'));  // 41 still too long
    EXPECT_EQ(SetApplicationTitle(std::string(45, 'x') + " y"), std::string(45, 'x'));
}

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
