#include "core/commit/PathPrefixIndex.h"

#include "core/settings/Paths.h"

#include <algorithm>

QStringView PathPrefixIndex::holdingFolder(const QString& path)
{
    return QStringView(path).left(path.lastIndexOf(QLatin1Char('/'), path.size() - 2) + 1);
}

std::vector<int>& PathPrefixIndex::groupOf(QStringView folder, const QString* text)
{
    if (m_last == m_groups.end() || QStringView(m_last->first) != folder) {
        m_last = m_groups.find(folder);
        if (m_last == m_groups.end())
            m_last = m_groups.emplace(text ? *text : folder.toString(), std::vector<int>{}).first;
    }
    return m_last->second;
}

void PathPrefixIndex::insert(QStringView folder, int id)
{
    groupOf(folder, nullptr).push_back(id);
}

void PathPrefixIndex::insert(const QString& folder, int id)
{
    groupOf(folder, &folder).push_back(id);
}

void PathPrefixIndex::erase(QStringView folder, int id)
{
    const auto group = m_groups.find(folder);
    if (group == m_groups.end())
        return;
    std::vector<int>& ids = group->second;
    const auto it = std::find(ids.begin(), ids.end(), id);
    if (it != ids.end())
        ids.erase(it);
}

std::vector<int> PathPrefixIndex::movePrefix(const QString& from, const QString& to)
{
    std::vector<int> moved;
    if (from.isEmpty() || from == to)
        return moved;
    m_last = m_groups.end();
    std::vector<decltype(m_groups)::node_type> nodes;
    for (auto it = m_groups.lower_bound(from); it != m_groups.end() && it->first.startsWith(from);)
        nodes.push_back(m_groups.extract(it++));
    for (auto& node : nodes) {
        moved.insert(moved.end(), node.mapped().begin(), node.mapped().end());
        node.key() = JoinedPath(to, QStringView(node.key()).sliced(from.size()));
        const auto result = m_groups.insert(std::move(node));
        if (!result.inserted) {
            std::vector<int>& ids = result.position->second;
            ids.insert(ids.end(), result.node.mapped().begin(), result.node.mapped().end());
        }
    }
    return moved;
}
