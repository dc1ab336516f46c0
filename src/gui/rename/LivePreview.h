#pragma once

#include <QObject>

class PreviewList;
class QTableView;
class RenameDialog;

// While a rename dialog is open, the list's new-name column shows what the dialog's Apply would give,
// recomputed whenever a field changes and whenever other rows come into view. Only the rows in view are
// computed, so a keystroke costs the same with 100 rows as with 100 000. After Apply the list shows its
// own (now applied) names until a field changes again; when the preview ends, the list's own names
// return.
class LivePreview : public QObject
{
    Q_OBJECT

public:
    LivePreview(RenameDialog& dialog, PreviewList& list, QTableView& view);
    ~LivePreview() override;

    void update();

private:
    void applied();
    void scrolled();

    RenameDialog& m_dialog;
    PreviewList& m_list;
    QTableView& m_view;
    bool m_showing = true;
};
