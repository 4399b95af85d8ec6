#include "conversion/header_list.h"

namespace brimwell {

long HeaderList::lookUp(std::string_view name) const
{
    auto found = m_index.find(name);
    return found == m_index.end() ? -1 : found->second;
}

void HeaderList::add(std::string_view name)
{
    if (m_index.try_emplace(std::string(name), static_cast<long>(m_names.size())).second)
        m_names.emplace_back(name);
}

void HeaderList::truncate(std::size_t size)
{
    while (m_names.size() > size) {
        m_index.erase(m_names.back());
        m_names.pop_back();
    }
}

long isHeaderExists(std::string_view name, const HeaderList& headers)
{
    return headers.find(name);
}

}  // namespace brimwell
