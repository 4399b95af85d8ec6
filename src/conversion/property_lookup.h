#pragma once

#include <string>
#include <string_view>

#include "textio/text_reader.h"

namespace brimwell {

class Window;

/// The cleaned value of the first line of `lines` that carries the property `name` (in
/// capitals) and, unless typeWord is "" or "HOME", has typeWord somewhere in its head;
/// the empty string when no line qualifies. Lets the window's events run before each line.
///
///     "TEL;TYPE=WORK,FAX:555"  qualifies for ("TEL", "WORK"), ("TEL", "FAX") and ("TEL", "HOME")
///     "NOTE:Call at 10:30"     gives "Call at 10" for ("NOTE", "")
std::string lookupValue(Window& window, const LineArray& lines, std::string_view name,
                        std::string_view typeWord);

/// lookupValue on the lines of the file at `path`, read afresh at every call. A file that
/// cannot be read is reported by the error trap and gives the empty string.
std::string GetVCFValue(Window& window, const std::string& path, const std::string& name,
                        const std::string& typeWord);

/// The lookups of one data line answered from one read of the file: value() gives exactly
/// what GetVCFValue would give for the same file. A file that cannot be read is reported
/// once, when it is read, and then answers every lookup with the empty string.
class VcfLookup {
public:
    VcfLookup(Window& window, const std::string& path);

    std::string value(std::string_view name, std::string_view typeWord) const;

private:
    Window& m_window;
    LineArray m_lines;
};

}  // namespace brimwell
