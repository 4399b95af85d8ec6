#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace brimwell {

enum class RowKind { Header, Data };

/// Builds one CSV line of the standard layout. Each text is appended, enclosed in double
/// quotes when asked, and followed by the separator; a data text first loses every CR and
/// LF. Nothing is escaped: quotes and separators inside a text stay as they are.
///
///     RowBuilder row(",");
///     row.append("Lee", RowKind::Data, false);
///     row.append("Ann", RowKind::Data, false);
///     row.finish();  // "Lee,Ann"
class RowBuilder {
public:
    explicit RowBuilder(std::string separator) : m_separator(std::move(separator)) {}

    void clear() { m_line.clear(); }
    void append(std::string_view text, RowKind kind, bool quotes);
    /// The line with its last separator removed (unless the line is empty).
    std::string_view finish();

private:
    std::string m_separator;
    std::string m_line;
};

}  // namespace brimwell
