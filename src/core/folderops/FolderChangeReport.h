#pragma once

#include <QList>
#include <QStringList>

// What a run over the listed folders could not do on disk, folder by folder, so that a failure is never
// silent. Each message names the folder (in double quotes) and why.
struct FolderChangeReport
{
    struct Failure
    {
        QString path;
        QString message;
    };
    QList<Failure> failures;
    int folders = 0; // folders the run acted on

    QStringList messages() const
    {
        QStringList texts;
        for (const Failure& failure : failures)
            texts.append(failure.message);
        return texts;
    }
};
