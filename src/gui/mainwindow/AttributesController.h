#pragma once

#include <QObject>
#include <functional>

struct AppState;
class PreviewList;
class QComboBox;
class QDialog;
class QWidget;
struct WindowSession;

// The attributes-and-times command: opens the dialog, changes the folders the apply-to selector names,
// and reports the folders that could not be changed. The preview list itself is not changed.
class AttributesController : public QObject
{
    Q_OBJECT

public:
    // How a modal dialog is run: exec() in the program; tests answer the dialog instead.
    using DialogRunner = std::function<int(QDialog&)>;

    AttributesController(AppState& state, WindowSession& session, PreviewList& list, const QComboBox& applyTo,
                         QWidget* dialogParent);

    void openAttributesDialog();
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

Q_SIGNALS:
    void statusText(const QString& text);

private:
    AppState& m_state;
    WindowSession& m_session;
    PreviewList& m_list;
    const QComboBox& m_applyTo;
    QWidget* m_dialogParent;
    DialogRunner m_runDialog;
};
