#pragma once

#include <QString>

struct AppState;
class CsvFile;
struct CsvNamesProblem;

// Why a delimited file gave no names, as the [Messages] text the window shows and the batch mode prints;
// the path is shown in quotes. Empty when there is no problem.
QString CsvFileProblemText(const AppState& state, const QString& path, const CsvFile& file);
// column: the 1-based column a short row lacks.
QString CsvNamesProblemText(const AppState& state, const QString& path, const CsvNamesProblem& problem, int column);
