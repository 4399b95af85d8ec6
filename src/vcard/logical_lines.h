#pragma once

#include <string>

#include "vcard/line_source.h"
#include "vcard/property_parser.h"

// Lines to logical lines: unfolds continuation lines (a leading space or tab), joins the
// lines of a quoted-printable value at its soft breaks (a line ending in `=`, across blank
// and `#` lines) and the unindented lines of a 2.1 base64 value, and parses the property.

namespace brimwell::vcard {

struct LogicalLine {
    /// The line: a view of the source's buffer (valid until the next line is read) when it
    /// is one physical line, else of `storage`.
    std::string_view text;
    std::string storage;
    bool isProperty = false;
    Property property;  ///< views of `text`, when isProperty
};

class LogicalLines {
public:
    explicit LogicalLines(LineSource& source) : m_source(source) {}

    /// The next non-empty logical line; false at the end of the text.
    bool next(LogicalLine& line);

private:
    /// Copies a line that is still a view of the source into its storage; next() parses the
    /// property again once it has joined what belongs to the line.
    void keep(LogicalLine& line);
    bool joinSoftBreak(LogicalLine& line);
    bool joinBase64Line(LogicalLine& line);

    LineSource& m_source;
};

}  // namespace brimwell::vcard
