#include "cli/BatchCsv.h"

#include "cli/BatchRun.h"
#include "cli/BatchTexts.h"
#include "core/AppState.h"
#include "core/commit/RenameFailure.h"
#include "core/preview/PreviewList.h"
#include "core/rename/CsvFile.h"
#include "core/rename/CsvProblemText.h"

bool BatchCsv::load(const AppState& state, const BatchTexts& texts, const QString& path,
                    const BatchOptions::CsvColumns& columns)
{
    const QString shown = BatchRun::escaped(path);
    const CsvFile file = CsvFile::read(state.fs(), path);
    if (file.problem() != CsvFile::Problem::None) {
        m_problem = CsvFileProblemText(state, shown, file);
        return false;
    }
    m_lines = file.lines();
    m_params.separator = file.separator();
    if (m_params.separator.isEmpty()) {
        m_problem = texts.text(QStringLiteral("CsvNoSeparator"), {Quoted(shown)});
        return false;
    }
    m_params.matchColumn = columns.match;
    for (qsizetype n = 0; n < columns.tokens.size() && n < CsvNamesParams::kTokens; ++n)
        m_params.tokenColumns[static_cast<size_t>(n)] = columns.tokens.at(n);
    if (!columns.structure.isEmpty())
        m_params.structure = columns.structure;
    m_params.keepExtension = columns.keepExtension;
    if (columns.by == QLatin1String("path"))
        m_params.matchBy = CsvNamesParams::MatchBy::Path;
    else if (columns.by == QLatin1String("name"))
        m_params.matchBy = CsvNamesParams::MatchBy::Name;

    const qsizetype headerColumns = file.header(m_params.separator).size();
    if (m_params.lastColumn() >= headerColumns) {
        m_problem = texts.text(QStringLiteral("CsvNoColumn"), {Quoted(shown), QString::number(headerColumns),
                                                               QString::number(m_params.lastColumn() + 1)});
        return false;
    }
    // Every row checked now, on an empty list: a short row must stop the run before anything is loaded.
    PreviewList none;
    const CsvNamesProblem rows = applyCsvNames(none, m_lines, m_params);
    if (!rows.ok()) {
        m_problem = CsvNamesProblemText(state, shown, rows, m_params.lastColumn() + 1);
        return false;
    }
    return true;
}
