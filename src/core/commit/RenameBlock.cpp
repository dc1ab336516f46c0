#include "core/commit/RenameBlock.h"

#include "core/commit/PathPrefixIndex.h"

QString RenameBlock::parentAfterRenames(const QString& parentPath)
{
    if (m_moved.isEmpty())
        return parentPath;
    if (parentPath == m_lastParent)
        return m_lastParentAfter;
    // A folder renamed in the block may hold one renamed later in it: follow the moves downwards. Each
    // step lands below a new path, where only a later rename of the block can match.
    QString path = parentPath;
    for (size_t step = 0; step <= m_renames.size(); ++step) {
        bool moved = false;
        for (QString above = path; above.size() > 1; above = PathPrefixIndex::holdingFolder(above).toString()) {
            const auto to = m_moved.constFind(above);
            if (to != m_moved.cend()) {
                path = to.value() + path.mid(above.size());
                moved = true;
                break;
            }
        }
        if (!moved)
            break;
    }
    m_lastParent = parentPath;
    m_lastParentAfter = path;
    return path;
}

bool RenameBlock::accepts(const QString& oldPath, const QString& newPath) const
{
    return m_renames.empty() || !(m_renamed.contains(oldPath) || m_renamed.contains(newPath) ||
                                  m_holding.contains(oldPath) || m_holding.contains(newPath));
}

void RenameBlock::add(Rename rename)
{
    m_renamed.insert(rename.oldPath);
    m_renamed.insert(rename.newPath);
    m_moved.insert(rename.oldPath, rename.newPath);
    for (QString path = rename.parentPath; path.size() > 1 && !m_holding.contains(path);
         path = PathPrefixIndex::holdingFolder(path).toString())
        m_holding.insert(path);
    // The rename is one level below its parent, so it cannot move the parent: a look-up stays true.
    m_renames.push_back(std::move(rename));
}

void RenameBlock::clear()
{
    m_renames.clear();
    m_renamed.clear();
    m_holding.clear();
    m_moved.clear();
    m_lastParent.clear();
    m_lastParentAfter.clear();
}
