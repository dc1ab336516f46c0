#pragma once

#include "core/platform/FileSystem.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QString>

// The rename protocol "renamed.vlp" in the settings folder: one line per rename that was taken, four
// fields joined by one double quote each: the moment as 14 digits, the parent path (ending in "/"), the
// old name and the new name. The file is only ever appended to while renaming; the history rewrites it
// whole, atomically.
class RenameProtocol
{
public:
    static constexpr char16_t kSeparator = u'"';
    static QString fileName() { return QStringLiteral("renamed.vlp"); }

    // One line as read back.
    struct Line
    {
        QString stamp;      // field 1 as stored
        QString parentPath; // field 2
        QString oldName;    // field 3
        QString newName;    // field 4
        QString raw;        // the whole line as read, so that a line we cannot use is written back unchanged
        // The line has exactly four fields, an absolute, clean parent path ending in one separator and
        // two names that each name one folder in it. Only such a line may ever lead to a rename.
        bool usable = false;
    };

    // False when a field holds a double quote or a line break: such a line could not be read back as
    // the rename it records (and could be read back as a different one).
    static bool canRecord(const QString& parentPath, const QString& oldName, const QString& newName);
    static Line parseLine(const QString& text);

    // Every non-empty line of the protocol in the folder, in file order; empty when there is no file.
    static QList<Line> read(const QString& settingsFolder);
    // Replaces the protocol with the given lines (a usable line is written from its fields, any other as
    // read) through the file system's atomic writer: a crash leaves the old or the new protocol.
    static FsResult rewrite(FileSystem& fs, const QString& settingsFolder, const QList<Line>& lines);

    // Appending during one take-changes run. open() creates the file when it is missing; runStart is the
    // clock's reading when the run began.
    explicit RenameProtocol(const QString& settingsFolder);
    [[nodiscard]] bool open(const QDateTime& runStart);
    bool isOpen() const { return m_file.isOpen(); }
    // Writes one line and flushes it, so a crash never loses a rename that already happened. The line is
    // stamped with the run's start plus the time elapsed since: asking the time zone for every one of
    // 100 000 renames would cost as much as the renames themselves.
    [[nodiscard]] bool append(const QString& parentPath, const QString& oldName, const QString& newName);

private:
    const QString& currentStamp();

    QFile m_file;
    QDateTime m_runStart;
    QElapsedTimer m_sinceStart;
    qint64 m_stampSecond = -1;
    QString m_stamp;
};
