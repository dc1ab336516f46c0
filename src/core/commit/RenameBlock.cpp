#include "core/commit/RenameBlock.h"

namespace {

// The path of the folder holding a path that ends in a separator; empty at the root.
QString holderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'), path.size() - 2);
    return slash < 0 ? QString() : path.left(slash + 1);
}

} // namespace

bool RenameBlock::underRenamed(const QString& folderPath) const
{
    for (QString path = folderPath; path.size() > 1; path = holderOf(path)) {
        if (m_renamed.contains(path))
            return true;
    }
    return false;
}

bool RenameBlock::accepts(const QString& parentPath, const QString& oldPath, const QString& newPath)
{
    if (m_renames.empty())
        return true;
    if (m_renamed.contains(oldPath) || m_renamed.contains(newPath) || m_holding.contains(oldPath) ||
        m_holding.contains(newPath))
        return false;
    if (parentPath != m_checkedParent) {
        m_checkedParent = parentPath;
        m_parentFree = !underRenamed(parentPath);
    }
    return m_parentFree;
}

void RenameBlock::add(Rename rename, const QString& parentPath)
{
    m_renamed.insert(rename.oldPath);
    m_renamed.insert(rename.newPath);
    // Paths added now are below the parent, so a check made for it stays true.
    for (QString path = parentPath; path.size() > 1 && !m_holding.contains(path); path = holderOf(path))
        m_holding.insert(path);
    m_renames.push_back(std::move(rename));
}

void RenameBlock::clear()
{
    m_renames.clear();
    m_renamed.clear();
    m_holding.clear();
    m_checkedParent.clear();
    m_parentFree = false;
}
