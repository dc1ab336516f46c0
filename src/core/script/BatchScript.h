#pragma once

#include "core/settings/IniDocument.h"

#include <QList>
#include <QString>
#include <QStringList>

struct AppState;
class DialogValues;

// A script read for a run without a window and checked as a whole before anything is renamed: the file
// can be read, [Main] "Steps" is a count of steps that all exist, every step names a rename function this
// program has, and every stored value has the kind its control stores. The window skips what it cannot
// run; a run that nobody watches must not rename half of what the script meant.
class BatchScript
{
public:
    // Why a script cannot run: a key of the [Batch] texts and its arguments.
    struct Problem
    {
        QString key;
        QStringList args;
    };

    // The script file an argument names: the path itself when such a file exists; otherwise, for a bare
    // name without a folder, the file of that name in the "Script" folder of the settings folder, with or
    // without its ".vls"; else the script the window lists under that name, with or without its stamp
    // ("Tidy photos", "Tidy photos [2024-01-31, 15:30:45]"), the newest when several share it. Empty
    // when there is none.
    static QString resolve(const AppState& state, const QString& argument);

    // Reads and checks the script; false with the problem when it cannot run.
    bool load(const AppState& state, const QString& argument);
    const Problem& problem() const { return m_problem; }

    QString path() const { return m_path; }
    int stepCount() const { return static_cast<int>(m_types.size()); }
    // Step numbers count from 1.
    int type(int step) const { return m_types.at(step - 1); }
    DialogValues values(int step) const;

private:
    bool fail(const char* key, const QStringList& args);
    bool checkStep(int step);

    QString m_path;
    IniDocument m_doc;
    QList<int> m_types;
    Problem m_problem;
};
