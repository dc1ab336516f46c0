#pragma once

#include <QString>
#include <map>
#include <utility>
#include <vector>

// Paths kept in text order, so that every path below a folder (every path that begins with the folder's
// path) is found with one lookup instead of a walk over all of them. Each path carries an id (a row);
// a path may occur more than once. Renaming a folder moves the whole block of paths below it at once.
class PathPrefixIndex
{
public:
    void insert(const QString& path, int id);
    // Removes the one pair (path, id); nothing when it is not there.
    void erase(const QString& path, int id);
    // Replaces the leading prefix `from` by `to` in every path that begins with `from`; returns the ids
    // of the moved paths with their new paths, in the old text order. Only the leading prefix changes:
    // a path may hold the same text again further on (a folder "/a/x/a/" below "/a/"), and that part
    // names another folder.
    std::vector<std::pair<int, QString>> movePrefix(const QString& from, const QString& to);

    int size() const { return static_cast<int>(m_paths.size()); }

private:
    std::multimap<QString, int> m_paths;
};
