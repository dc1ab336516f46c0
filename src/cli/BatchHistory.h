#pragma once

#include "cli/BatchTexts.h"

#include <QString>

class QIODevice;
struct AppState;

// The rename history from the command line: "--history" prints it, "--undo-last" undoes the latest run.
// Both find the history as the start-up left it, with the record of a killed run already finished.
class BatchHistory
{
public:
    BatchHistory(AppState& state, QIODevice& out, QIODevice& err, const BatchTexts& texts);

    // Every line of the protocol in file order: stamp, parent path, old name, new name and "yes" or
    // "no" (whether the history window could undo it now), tab-separated and escaped. Exit status 0.
    int printHistory();
    // Exit status 0 when every rename of the latest run was undone (or there was none), 1 otherwise.
    int undoLast();

private:
    void print(QIODevice& device, const QString& text);

    AppState& m_state;
    QIODevice& m_out;
    QIODevice& m_err;
    const BatchTexts& m_texts;
};
