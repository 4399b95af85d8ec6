#include "conversion/row_writer.h"

#include <algorithm>

namespace brimwell {

void RowBuilder::append(std::string_view text, RowKind kind, bool quotes)
{
    if (quotes)
        m_line.push_back('"');
    if (kind == RowKind::Data)
        std::copy_if(text.begin(), text.end(), std::back_inserter(m_line),
                     [](char c) { return c != '\r' && c != '\n'; });
    else
        m_line.append(text);
    if (quotes)
        m_line.push_back('"');
    m_line.append(m_separator);
}

std::string_view RowBuilder::finish()
{
    if (!m_line.empty())
        m_line.resize(m_line.size() - m_separator.size());
    return m_line;
}

}  // namespace brimwell
