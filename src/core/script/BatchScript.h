#pragma once

#include "core/settings/IniDocument.h"

#include <QList>
#include <QString>
#include <QStringList>

struct AppState;
class DialogValues;

// A script read and checked as a whole before anything is renamed. For a run without a window: the file
// can be read, [Main] "Steps" is a count of steps that all exist, every step names a rename function this
// program has, and every stored value has the kind its control stores; a run that nobody watches must not
// rename half of what the script meant. For a replay in the window the user sees each step, so a missing
// step section, a step without "Type" and a type the window has no dialog for are skipped, and the dialog
// judges the values; still refused are files that are no script, a "Steps" that is no count or claims more
// steps than the file holds, and a "Type" that is no positive number.
class BatchScript
{
public:
    enum class Use { Batch, Window };

    // A step to replay: its section number and its type number.
    struct Step
    {
        int number = 0;
        int type = 0;
    };

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
    bool load(const AppState& state, const QString& argument, Use use = Use::Batch);
    const Problem& problem() const { return m_problem; }

    QString path() const { return m_path; }
    int stepCount() const { return static_cast<int>(m_steps.size()); }
    // For the batch mode, whose scripts hold every step: step numbers count from 1.
    int type(int step) const { return m_steps.at(step - 1).type; }
    // The steps in order; in the window the skipped ones are left out.
    const QList<Step>& steps() const { return m_steps; }
    DialogValues values(int step) const;

private:
    bool fail(const char* key, const QStringList& args);
    bool checkStep(int step);
    bool checkWindowSteps(int count);

    QString m_path;
    IniDocument m_doc;
    QList<Step> m_steps;
    Problem m_problem;
};
