#include "core/rename/CsvProblemText.h"

#include "core/AppState.h"
#include "core/commit/RenameFailure.h"
#include "core/platform/FileReadProblem.h"
#include "core/rename/CsvFile.h"
#include "core/rename/CsvNamesParams.h"

QString CsvFileProblemText(const AppState& state, const QString& path, const CsvFile& file)
{
    switch (file.problem()) {
    case CsvFile::Problem::Unreadable:
        return state.message(QStringLiteral("msgCsvUnreadable"),
                             {Quoted(path), FileReadProblemText(state, file.readResult())});
    case CsvFile::Problem::NotText:
        return state.message(QStringLiteral("msgCsvNotText"), {Quoted(path)});
    case CsvFile::Problem::NoRows:
        return state.message(QStringLiteral("msgCsvNoRows"), {Quoted(path)});
    case CsvFile::Problem::None:
        break;
    }
    return {};
}

QString CsvNamesProblemText(const AppState& state, const QString& path, const CsvNamesProblem& problem, int column)
{
    switch (problem.kind) {
    case CsvNamesProblem::Kind::NoRows:
        return state.message(QStringLiteral("msgCsvNoRows"), {Quoted(path)});
    case CsvNamesProblem::Kind::ShortRow:
        return state.message(
            QStringLiteral("msgCsvShortRow"),
            {Quoted(path), QString::number(problem.line), QString::number(problem.fields), QString::number(column)});
    case CsvNamesProblem::Kind::None:
        break;
    }
    return {};
}
