#pragma once

#include "core/platform/FileSystem.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <memory>

class AppendFile;

// The rename protocol "renamed.vlp" in the settings folder: one line per rename that was taken, four
// fields joined by one double quote each: the moment as 14 digits, the parent path (ending in "/"), the
// old name and the new name. Names are kept as their own bytes (UTF-8 for every name that is UTF-8).
// A rename whose fields hold what such a line cannot carry (a double quote, a line break, bytes that are
// not UTF-8) gets an escaped line instead: those bytes as "\xHH" and a fifth field kEscapedMarker, so a
// reader that does not know the form shows the line and never undoes it.
// Lines are appended under the file's advisory lock and the history rewrites the file under the same
// lock, so the two never lose each other's lines.
class RenameProtocol
{
public:
    static constexpr char kSeparator = '"';
    static constexpr char kEscapedMarker[] = "x";
    static QString fileName() { return QStringLiteral("renamed.vlp"); }

    // One line as read back.
    struct Line
    {
        QString stamp;       // field 1 as stored
        QString parentPath;  // field 2
        QString oldName;     // field 3
        QString newName;     // field 4
        QByteArray stored;   // the line as read, without its line end
        bool edited = false; // a field was changed since: written from the fields, otherwise as stored
        // The line has four fields, an absolute, clean parent path ending in one separator and two names
        // that each name one folder in it. Only such a line may ever lead to a rename.
        bool usable = false;
    };

    // The line that records a rename, without its line end: plain where the fields allow, else escaped.
    static QByteArray encodeLine(const QString& stamp, const QString& parentPath, const QString& oldName,
                                 const QString& newName);
    // A stored line; a plain one is UTF-8 where it is valid UTF-8, else Windows-1252.
    static Line parseLine(const QByteArray& bytes);
    // The non-empty lines of a protocol text, carriage returns before the line ends removed.
    static QList<QByteArray> splitLines(const QByteArray& bytes);

    // Every non-empty line of the protocol in the folder, in file order; empty when there is no file.
    static QList<Line> read(const FileSystem& fs, const QString& settingsFolder);
    // Replaces the protocol with the given lines, under the lock, through the atomic writer. loaded are
    // the lines as read when the caller took its copy: a line it dropped stays dropped, a line appended
    // (or dropped) by someone else since is kept (or stays dropped).
    static FsResult rewrite(FileSystem& fs, const QString& settingsFolder, const QList<QByteArray>& loaded,
                            const QList<Line>& lines);

    // Appending during one take-changes run; runStart is the clock's reading when the run began.
    RenameProtocol(FileSystem& fs, const QString& settingsFolder, const QDateTime& runStart);
    ~RenameProtocol();
    // Opens the file, creating it when it is missing.
    FsResult open();
    bool isOpen() const { return m_file != nullptr; }
    // The line for a rename happening now. Stamped with the run's start plus the time elapsed since:
    // asking the time zone for every one of 100 000 renames would cost as much as the renames themselves.
    QByteArray line(const QString& parentPath, const QString& oldName, const QString& newName);
    // Writes the lines of a block of renames that happened, in one go.
    FsResult append(const QList<QByteArray>& lines) { return appendText(text(lines)); }
    // The same with the text that append writes for them, made beforehand.
    FsResult appendText(const QByteArray& text);
    // The lines one after another, each with its line end.
    static QByteArray text(const QList<QByteArray>& lines);

private:
    const QString& currentStamp();

    FileSystem& m_fs;
    QString m_path;
    std::unique_ptr<AppendFile> m_file;
    QDateTime m_runStart;
    QElapsedTimer m_sinceStart;
    qint64 m_stampSecond = -1;
    QString m_stamp;
};
