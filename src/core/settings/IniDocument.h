#pragma once

#include "core/platform/FileSystem.h"

#include <QHash>
#include <QString>
#include <QStringList>

// An INI text held as its lines, so that rewriting one key keeps every other line as it was. Section
// and key names match without regard to case; values are the text after the first "=" with surrounding
// blanks removed. With duplicate sections or keys, the first one counts for reading and writing.
class IniDocument
{
public:
    IniDocument() = default;
    static IniDocument fromText(const QString& text);
    // A missing or unreadable file gives an empty document.
    static IniDocument load(const QString& path);

    QString value(const QString& section, const QString& key) const;
    bool contains(const QString& section, const QString& key) const;
    bool hasSection(const QString& section) const;
    bool hasAnySection() const { return !index().sectionLines.isEmpty(); }
    // Keys of a section in file order (first spelling of each).
    QStringList keys(const QString& section) const;
    QStringList sections() const;

    // Replaces the key's line, appends the key to its section, or appends the section at the end.
    void setValue(const QString& section, const QString& key, const QString& value);

    const QStringList& lines() const { return m_lines; }
    QString toText() const;
    // Replaces the file through the file system's atomic writer.
    FsResult save(FileSystem& fs, const QString& path) const;

private:
    struct Location
    {
        qsizetype sectionLine = -1; // line of the "[section]" header
        qsizetype keyLine = -1;     // line of the key, -1 when the section lacks it
        qsizetype sectionEnd = -1;  // one past the last key line of the section
    };
    struct Index
    {
        QHash<QString, qsizetype> sectionLines;             // lower-case section -> header line
        QHash<QString, QHash<QString, qsizetype>> keyLines; // lower-case section -> lower-case key -> line
    };

    Location locate(const QString& section, const QString& key) const;
    const Index& index() const;

    QStringList m_lines;
    mutable Index m_index;
    mutable bool m_indexValid = false;
};
