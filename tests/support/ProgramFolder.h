#pragma once

#include "support/WriteTextFile.h"

#include <QStringList>
#include <QTemporaryDir>

// A program folder made for one test, with language files given as "file.lng=lngname".
struct ProgramFolder
{
    explicit ProgramFolder(const QStringList& languages = {})
    {
        for (const QString& entry : languages) {
            const QString name = entry.section(QLatin1Char('='), 1);
            add(entry.section(QLatin1Char('='), 0, 0),
                "[Main]\nlngname=" + name + "\nlocale=xx\n[Messages]\nMsgStat01=" + name + " %1\n");
        }
    }
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return path() + name; }
    void add(const QString& name, const QString& text) { WriteTextFile(file(name), text); }
    QTemporaryDir m_dir;
};
