#include "conversion/kept_file.h"

#include <string_view>
#include <utility>

namespace brimwell::combined {

RuleSwitches RuleSwitches::read(const Window& window)
{
    return {window.checkValue(Control::Check9), window.checkValue(Control::Check10),
            window.checkValue(Control::Check3), window.checkValue(Control::Check4),
            window.checkValue(Control::Check6), window.checkValue(Control::Check8)};
}

RowKeeper& KeptFile::keep(const Window& window, HeaderList& headers, const std::string& separator)
{
    m_whole = false;
    m_switches = RuleSwitches::read(window);
    return m_rows.emplace(headers, separator);
}

void KeptFile::finish(const std::string& path, ContactCut cut, bool whole)
{
    m_path = path;
    m_cut = std::move(cut);
    m_whole = whole && m_rows->good();
}

void KeptFile::replayCut(Window& window, const std::string& path) const
{
    brimwell::replayCut(window, path, m_cut);
}

bool KeptFile::replayRows(const Window& window, std::size_t columns, TargetFile& target)
{
    const auto append = [&](std::string_view lines) { target.appendLines(lines); };
    return RuleSwitches::read(window) == m_switches && m_rows->replay(columns, quotes(), append);
}

}  // namespace brimwell::combined
