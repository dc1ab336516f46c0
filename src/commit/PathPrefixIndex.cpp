#include "commit/PathPrefixIndex.h"

void PathPrefixIndex::insert(const QString& path, int id)
{
    m_paths.emplace(path, id);
}

void PathPrefixIndex::erase(const QString& path, int id)
{
    auto [it, end] = m_paths.equal_range(path);
    for (; it != end; ++it) {
        if (it->second == id) {
            m_paths.erase(it);
            return;
        }
    }
}

std::vector<std::pair<int, QString>> PathPrefixIndex::movePrefix(const QString& from, const QString& to)
{
    std::vector<std::pair<int, QString>> moved;
    if (from.isEmpty() || from == to)
        return moved;
    // Paths that begin with the same text form one block in text order, starting at the prefix itself.
    std::vector<decltype(m_paths)::node_type> nodes;
    for (auto it = m_paths.lower_bound(from); it != m_paths.end() && it->first.startsWith(from);)
        nodes.push_back(m_paths.extract(it++));
    moved.reserve(nodes.size());
    // The new paths keep their order among themselves, so each goes in right after the one before.
    auto hint = m_paths.end();
    for (auto& node : nodes) {
        node.key() = to + node.key().mid(from.size());
        moved.emplace_back(node.mapped(), node.key());
        hint =
            m_paths.insert(hint == m_paths.end() ? m_paths.lower_bound(node.key()) : std::next(hint), std::move(node));
    }
    return moved;
}
