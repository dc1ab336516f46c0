#pragma once

#include <QStringList>
#include <QTableWidget>

// The table of a failure report: one numbered row per message, each row as high as its wrapped message
// (messages name full paths), read-only. The columns are translated by their tags "ColNumber" and
// "ColMessage" in the report's section.
class FailureTable : public QTableWidget
{
    Q_OBJECT

public:
    FailureTable(const QStringList& messages, const QString& objectName, QWidget* parent = nullptr);
};
