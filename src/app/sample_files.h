#pragma once

#include <string>
#include <string_view>

namespace brimwell {

class SettingsStore;
class Window;

/// The built-in key of the "Snapshot" cipher.
inline constexpr std::string_view kCipherKey = "mildrove";

/// Adds each key byte to the matching text byte (the key repeats), wrapping above 255 by
/// subtracting 255: 65 under 97 gives 162, 200 under 100 gives 45. Lets the window's
/// pending events run before each character. The key must not be empty.
std::string EncipherText(Window& window, std::string_view text, std::string_view key);
/// The inverse of EncipherText for texts whose bytes lie between 1 and 255.
std::string DecipherText(Window& window, std::string_view text, std::string_view key);

/// Records the files of programFolder + "/Samples" (no sub-folders) under "Snapshot":
/// their full paths joined by '|', enciphered; the empty text when there are none.
/// `programFolder` has no trailing separator.
void BuildSampleSnapshot(Window& window, SettingsStore& settings, const std::string& programFolder);

/// Adds every recorded sample that exists and is not listed yet, then always asks
/// whether to open the samples folder, and opens it on Yes.
void LoadSampleFiles(Window& window, SettingsStore& settings, const std::string& programFolder);

/// True when some list item's text equals `path` exactly (letter case counts).
bool IsListed(const Window& window, const std::string& path);

}  // namespace brimwell
