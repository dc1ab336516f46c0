#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class QIODevice;

// Reads the entries of a list file naming folders: a plain list (every line), an m3u playlist (every
// line that does not start with "#EXT") or a pls playlist (the text after the first "=" of each
// "File…=" line). Entries come as the file's bytes, line end ("\n" or "\r\n") removed: whether they are
// UTF-8, Windows-1252 or raw file-name bytes is decided where they are used. Empty entries and URLs are
// skipped. Lines longer than any path can be are skipped without being kept, so a file of any size or
// content is read in bounded memory.
class ListFileReader
{
public:
    enum class Kind { Plain, M3u, Pls };

    static constexpr qsizetype kMaxLineBytes = 64 * 1024;

    // The kind a file name stands for: its extension, compared in lower case.
    static Kind kindOf(const QString& fileName);
    // "scheme://…": a URL, never a local path.
    static bool isUrl(const QByteArray& entry);

    ListFileReader(QIODevice& device, Kind kind)
        : m_device(device)
        , m_kind(kind)
    {}

    // The next entry; nothing at the end of the file, or where reading it failed.
    std::optional<QByteArray> next();
    // Reading the file failed before its end (a file device's error): the entries so far are not all.
    // The line the failure cut short was not given as an entry.
    bool failed() const { return m_failed; }

private:
    std::optional<QByteArray> nextLine();
    // Reads the next chunk of the file behind what is left in the buffer; false at the end.
    bool fill();

    QIODevice& m_device;
    Kind m_kind;
    bool m_firstLine = true;
    // Lines are cut out of chunks read in one go: a list of a million folders is one pass over its bytes.
    QByteArray m_buffer;
    qsizetype m_at = 0;      // where the next line starts in the buffer
    bool m_skipping = false; // in a line too long to be a path, until its end
    bool m_failed = false;
};
