#pragma once

#include <QDialog>

struct AppState;
class PreviewList;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;

// The position picker ("frmPos"): shows the base name of any entry of the list (chosen with the bar
// "VScrollFile") and turns a click or a selection in it into a position or a range for the dialog that
// asked. Positions count characters as the user sees them. OK leaves the result for the caller to take
// into its fields; Cancel leaves nothing.
class PositionPickerDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Request {
        InsertPosition, // a position counted from the left or the right ("frmInsert.txtPos")
        First,          // a count from the left ("GetFirst")
        Last,           // a count from the right ("GetLast")
        FromTo          // a range ("GetFromTo")
    };
    struct Result
    {
        int position = 0;
        bool fromRight = false;
        int from = 1;
        int to = 1;
    };

    PositionPickerDialog(const AppState& state, const PreviewList& list, Request request, bool fromRight = false,
                         QWidget* parent = nullptr);

    Result result() const { return m_result; }
    // The entry shown, 1-based.
    void showEntry(int number);

private:
    void update();

    Request m_request;
    const PreviewList& m_list;
    Result m_result;
    QLineEdit* m_name = nullptr;
    QScrollBar* m_entry = nullptr;
    QComboBox* m_align = nullptr;
    QLabel* m_position = nullptr;
    QLabel* m_from = nullptr;
    QLabel* m_to = nullptr;
};
