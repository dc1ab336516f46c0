#include "core/commit/RenameBlock.h"

#include "core/commit/PathPrefixIndex.h"

QString RenameBlock::followMoves(const QString& path, int* mover) const
{
    QString moved = path;
    if (mover)
        *mover = -1;
    // A folder renamed in the block may hold one renamed later in it: follow the moves downwards. Each
    // step lands below a new path, where only a later rename of the block can match.
    for (size_t step = 0; step <= m_renames.size() && !m_moved.isEmpty(); ++step) {
        bool found = false;
        for (QString above = moved; above.size() > 1; above = PathPrefixIndex::holdingFolder(above).toString()) {
            const auto by = m_moved.constFind(above);
            if (by != m_moved.cend()) {
                moved = m_renames[static_cast<size_t>(*by)].newPath + moved.mid(above.size());
                if (mover)
                    *mover = *by;
                found = true;
                break;
            }
        }
        if (!found)
            break;
    }
    return moved;
}

RenameBlock::Place RenameBlock::placeAfterRenames(const QString& parentPath, const RenameBlock* before)
{
    if (!m_lastParent.isNull() && parentPath == m_lastParent)
        return m_lastPlace;
    Place place;
    place.parentPath = before ? before->followMoves(parentPath, nullptr) : parentPath;
    if (!m_moved.isEmpty())
        place.parentPath = followMoves(place.parentPath, &place.after);
    m_lastParent = parentPath;
    m_lastPlace = place;
    return place;
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
    m_moved.insert(rename.oldPath, static_cast<int>(m_renames.size()));
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
    m_lastParent = QString();
    m_lastPlace = Place();
}
