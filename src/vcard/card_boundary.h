#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

// Where a vCard file can be cut in two, so that each part is read on a core of its own: at
// a `BEGIN:VCARD` line right after an `END:VCARD` line (blank lines between allowed). Only
// the reader can tell whether the cut was clean (VCardReader::endedBetweenCards), since an
// END:VCARD line may be inside a card after all, in a value that is not ended.

namespace brimwell::vcard {

/// The offset of the first candidate cut at or after `from` in `text`; npos when none is
/// found. A line end must follow the BEGIN:VCARD within `text`.
std::size_t findCardBoundary(std::string_view text, std::size_t from = 0);

/// The first candidate cut at or after the middle of the file at `path`, within a window of
/// bytes after it; none for a file smaller than
/// `minimumSize`, one marked as UTF-16 or UTF-32, or one without a candidate near its
/// middle.
std::optional<std::uintmax_t> middleCardBoundary(const std::filesystem::path& path,
                                                 std::uintmax_t minimumSize);

}  // namespace brimwell::vcard
