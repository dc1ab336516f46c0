#pragma once

#include "core/platform/FileSystem.h"

#include <QList>
#include <QString>

struct AppState;

// One named structure of the library. Names need not be unique.
struct NamedStructure
{
    QString name;
    QString structure;

    bool operator==(const NamedStructure&) const = default;
};

// The user's library of name structures, kept in "structures.vlp" in the settings folder: a header line
// "Name;Structure;", then one line per structure, its name and its structure each followed by ";". A field
// that holds ";" (or starts with a blank or a quote, which a reader would drop or take for quoting) stands
// in double quotes; quotes inside are not doubled.
//
// Older files may use tabs or commas instead, which reading detects. A "|" in a name field marks a prefix
// that older versions kept before the name: the name is what follows the first "|" (a line whose name is
// blank is left out). So that a name with a
// "|" of its own comes back whole (also in those versions, which cut the name at the first "|" of the
// line), a line with a "|" anywhere gets a "|" in front of its name.
class StructureLibrary
{
public:
    QList<NamedStructure> entries;

    // The library of the settings folder.
    static QString path(const AppState& state);

    // A missing or unreadable file, or one whose separator cannot be told, gives an empty library.
    static StructureLibrary read(const FileSystem& fs, const QString& path);
    static StructureLibrary parse(const QString& text);

    // The file text, and writing it through the atomic writer.
    QString text() const;
    FsResult write(FileSystem& fs, const QString& path) const;

    // The first structure of that name; else, when no name is written the same way, the first whose name
    // differs only in case. Nothing when none matches.
    const NamedStructure* find(const QString& name) const;
};
