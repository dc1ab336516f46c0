#pragma once

#include "cli/BatchOptions.h"
#include "core/rename/CsvNamesParams.h"

#include <QString>
#include <QStringList>

struct AppState;
class BatchTexts;

// A --csv file of a run without a window, read and checked whole before any folder is loaded: its separator
// detected, the chosen columns present in its header, every row long enough. A file that fails any of it
// stops the run with nothing renamed.
class BatchCsv
{
public:
    // False when the file cannot give names; problem() then says why (names in it already escaped).
    bool load(const AppState& state, const BatchTexts& texts, const QString& path,
              const BatchOptions::CsvColumns& columns);

    const QString& problem() const { return m_problem; }
    const QStringList& lines() const { return m_lines; }
    const CsvNamesParams& params() const { return m_params; }

private:
    QString m_problem;
    QStringList m_lines;
    CsvNamesParams m_params;
};
