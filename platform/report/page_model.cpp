// Pages laid out on demand, with the few last asked for kept.
#include "platform/report/page_model.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace report {

const Page& PageList::operator[](std::size_t index) const
{
    if (!m_source)
        return m_pages[index];
    auto& pages = m_cache->pages;
    const auto it = std::find_if(pages.begin(), pages.end(), [index](const auto& p) { return p.first == index; });
    if (it != pages.end())
        return *it->second;
    if (pages.size() >= kCachedPages)
        pages.pop_front();
    pages.emplace_back(index, std::make_unique<Page>(m_source->lay(index)));
    return *pages.back().second;
}

const Page& PageList::at(std::size_t index) const
{
    if (index >= size())
        throw std::out_of_range("The document has no page " + std::to_string(index + 1) + ".");
    return (*this)[index];
}

void PageList::dropCached() const
{
    if (m_cache)
        m_cache->pages.clear();
}

} // namespace report
