#pragma once

#include <QString>
#include <QStringView>
#include <map>
#include <utility>
#include <vector>

// Ids (rows) grouped by the folder path that holds them, the folders kept in text order. Every path
// that begins with a folder's path forms one block in text order, so all ids below a folder are found
// with one lookup among the distinct folders, which are far fewer than the ids: a list of 100 000
// sibling folders has one. Renaming a folder moves the whole block at once.
class PathPrefixIndex
{
public:
    PathPrefixIndex() = default;
    // Moved, not copied: the group of the last insert is an iterator into the index's own groups.
    PathPrefixIndex(PathPrefixIndex&& other) noexcept
        : m_groups(std::move(other.m_groups))
    {
        other.m_last = other.m_groups.end();
    }
    PathPrefixIndex& operator=(PathPrefixIndex&& other) noexcept
    {
        m_groups = std::move(other.m_groups);
        m_last = m_groups.end();
        other.m_last = other.m_groups.end();
        return *this;
    }
    PathPrefixIndex(const PathPrefixIndex&) = delete;
    PathPrefixIndex& operator=(const PathPrefixIndex&) = delete;

    // The folder that holds a folder path (ending in a separator): everything up to and including the
    // separator before its last name. For any path p ending in a separator, a key begins with p and is
    // longer than p exactly when the folder that holds the key begins with p.
    static QStringView holdingFolder(const QString& path);

    void insert(QStringView folder, int id);
    // The same; a new group keeps the folder's text itself, shared with whoever holds it too.
    void insert(const QString& folder, int id);
    // Removes id from the folder's group; nothing when it is not there.
    void erase(QStringView folder, int id);
    // Every group whose folder begins with `from` gets `to` in place of that beginning (groups that meet
    // are joined); returns the ids of the moved groups. Only the leading `from` changes: a path may hold
    // the same text again further on (a folder "/a/z/a/" below "/a/"), and that part names another folder.
    std::vector<int> movePrefix(const QString& from, const QString& to);

    int groupCount() const { return static_cast<int>(m_groups.size()); }

private:
    // The ids of the folder's group, made when missing with text as its key (or a copy of folder).
    std::vector<int>& groupOf(QStringView folder, const QString* text);

    std::map<QString, std::vector<int>, std::less<>> m_groups;
    // The group of the last insert: lists hold siblings next to each other, so most inserts find it here.
    std::map<QString, std::vector<int>, std::less<>>::iterator m_last = m_groups.end();
};
