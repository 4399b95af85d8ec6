#include "app/sample_files.h"

#include <stdexcept>

#include "base/messages.h"
#include "base/settings_store.h"
#include "base/window.h"
#include "filelist/folder_scan.h"
#include "textio/paths.h"

namespace brimwell {

namespace {

constexpr std::string_view kSnapshotKey = "Snapshot";
constexpr std::string_view kOpenSamplesQuestion =
    "Would you like this software to open the folder where these sample files are stored "
    "(so that you can view them before working with them)?";

std::string samplesFolder(const std::string& programFolder)
{
    return programFolder + kPathSeparator + "Samples" + kPathSeparator;
}

/// The cipher's walk: each text byte shifted by the key byte under it, direction +1 or -1,
/// kept within 1..255.
std::string shiftText(Window& window, std::string_view text, std::string_view key, int direction)
{
    if (key.empty())
        throw std::invalid_argument("the cipher key is empty");
    std::string result;
    result.reserve(text.size());
    std::size_t position = 0;
    for (char character : text) {
        window.yield();
        const int a = static_cast<unsigned char>(character);
        const int b = static_cast<unsigned char>(key[position]);
        position = (position + 1) % key.size();
        int c = a + direction * b;
        if (c > 255)
            c -= 255;
        else if (c < 1)
            c += 255;
        result += static_cast<char>(static_cast<unsigned char>(c));
    }
    return result;
}

}  // namespace

std::string EncipherText(Window& window, std::string_view text, std::string_view key)
{
    return shiftText(window, text, key, +1);
}

std::string DecipherText(Window& window, std::string_view text, std::string_view key)
{
    return shiftText(window, text, key, -1);
}

void BuildSampleSnapshot(Window& window, SettingsStore& settings, const std::string& programFolder)
{
    const std::string folder = samplesFolder(programFolder);
    std::string plain;
    for (const std::string& name : GetFileList(folder, "*.*"))
        plain.append(folder).append(name).append("|");
    if (!plain.empty())
        plain.pop_back();
    settings.write(kSettingsApplication, kSettingsSection, kSnapshotKey,
                   EncipherText(window, plain, kCipherKey));
}

void LoadSampleFiles(Window& window, SettingsStore& settings, const std::string& programFolder)
{
    const std::string stored =
        settings.read(kSettingsApplication, kSettingsSection, kSnapshotKey, "False");
    const std::string plain = DecipherText(window, stored, kCipherKey);
    for (std::size_t start = 0; start < plain.size();) {
        auto end = plain.find('|', start);
        if (end == std::string::npos)
            end = plain.size();
        const std::string path = plain.substr(start, end - start);
        if (FileExists(path) && !IsListed(window, path))
            window.listAdd(path);
        start = end + 1;
    }
    if (askYesNo(window, std::string(kOpenSamplesQuestion)))
        window.shellOpen(samplesFolder(programFolder));
}

bool IsListed(const Window& window, const std::string& path)
{
    const int count = window.listCount();
    for (int index = 1; index <= count; ++index)
        if (window.listItem(index) == path)
            return true;
    return false;
}

}  // namespace brimwell
