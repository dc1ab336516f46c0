#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

class AppendFile;
class FileSystem;

// The record of the latest take-changes run that wrote to the protocol, "renaming.vlp" beside it. Renames
// go in blocks (see RenameBlock): before a block the record holds the protocol lines its renames are going
// to get ("+" and the line, all in one write); after it, once the protocol has the lines of those that
// happened, the lines of those that did not ("-" and the line) and "=", again in one write; "." once the
// run is over. A run that was killed in a block leaves the record without its "="; the next start or run
// finishes it: each rename of that block that happened and misses its line gets it then. The record also
// tells which protocol lines the latest run wrote, so that run can be undone without a mark in the
// protocol itself. Records of earlier versions, with a "+" per rename and a lone "-" after one that failed,
// read the same way. One run at a time owns the record (its advisory lock): a second run waits for the
// first to end.
class RenameJournal
{
public:
    static QString fileName() { return QStringLiteral("renaming.vlp"); }

    // Starts the record of a new run, after finishing the one it finds. Without a record (the file cannot
    // be opened) the run goes on unrecorded here.
    RenameJournal(FileSystem& fs, const QString& settingsFolder);
    ~RenameJournal();
    bool isOpen() const { return m_file != nullptr; }

    // Before a block of renames: the protocol lines they will get, in order. After it, once the protocol
    // holds the lines of the renames that happened: the lines of those that did not.
    void announce(const QList<QByteArray>& protocolLines) { announceText(announcement(protocolLines)); }
    // The same with the text that announce writes for the lines, made beforehand.
    void announceText(const QByteArray& announcement);
    static QByteArray announcement(const QList<QByteArray>& protocolLines);
    void settle(const QList<QByteArray>& notDone);
    // Before a cycle of renames in the folder parent (ending in "/"): parked goes to the temporary name
    // tmp, then each step (from, to) follows in order, the last one from tmp. A killed run that left tmp
    // behind is finished from here at the next start. stamp is the protocol's for the run, empty when
    // the protocol is off (then nothing is written to it). Failed steps follow as usual.
    struct CycleStep
    {
        QString from;
        QString to;
    };
    void announceCycle(const QString& stamp, const QString& parent, const QString& tmp, const QString& parked,
                       const QList<CycleStep>& steps);

    // At start: finishes the record of a run that was killed, unless a live run holds it. True when a
    // missing protocol line was written.
    static bool recover(FileSystem& fs, const QString& settingsFolder);

    // The protocol lines of the latest run whose renames happened, in the order of the run, with the
    // record held, so no run can start meanwhile. forget() then empties the record.
    static std::unique_ptr<RenameJournal> openLatest(FileSystem& fs, const QString& settingsFolder);
    QList<QByteArray> latestRunLines() const { return m_latest; }
    // Keeps only the given lines as the latest run (those that could not be undone).
    void keepOnly(const QList<QByteArray>& protocolLines);

private:
    RenameJournal(FileSystem& fs, const QString& settingsFolder, std::unique_ptr<AppendFile> file);
    // Reads the record and writes the missing protocol lines of a killed run, and finishes a cycle it left
    // under a temporary name; true when it wrote a line. Without keepLatest a record that ended properly is
    // not read at all: after a run of a million renames it is large, and only undoing that run needs it.
    bool finishRecord(bool keepLatest);
    // The cycle of a killed run, when its temporary name is still there: the steps that have not happened
    // are done (a step whose folder is there and whose name is free), and what cannot be done goes back
    // to its own name or stays, recorded. True when it wrote a protocol line.
    bool finishCycle(const QByteArray& record);

    FileSystem& m_fs;
    QString m_settingsFolder;
    std::unique_ptr<AppendFile> m_file;
    QList<QByteArray> m_latest;
    bool m_running = false; // the record of a run now going on: it ends with "."
};
