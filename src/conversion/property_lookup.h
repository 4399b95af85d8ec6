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

/// The lookups of one data line answered from one read of the file: value() gives
/// lookupValue on the file's lines. A file that cannot be read is reported once (as
/// "modCSV.GetVCFValue"), when it is read, and then answers every lookup with the empty
/// string.
class VcfLookup {
public:
    VcfLookup(Window& window, const std::string& path);

    std::string value(std::string_view name, std::string_view typeWord) const;

private:
    Window& m_window;
    LineArray m_lines;
};

}  // namespace brimwell
