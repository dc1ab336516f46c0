#pragma once

#include "core/preview/AssistantSteps.h"

#include <QDialog>
#include <array>

struct AppState;
class MainWindow;
class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QToolButton;

// The assistant ("frmAssistant"): a small window beside the main window that leads through opening
// folders, proposing names and taking or rejecting them. It only runs the main window's commands, and
// follows their enabling whenever the main window updates it.
class AssistantDialog : public QDialog
{
    Q_OBJECT

public:
    AssistantDialog(AppState& state, MainWindow& window);

    AssistantSteps::Step step() const { return m_step; }
    void setStep(AssistantSteps::Step step);
    // The entry of the action list, 0 to 12, and running it as OK does.
    void chooseAction(int action);
    void runAction();

    void retranslate();
    // Follows the main window's commands: which buttons are usable now.
    void updateEnabling();
    // Puts the window where it stood last time, when that is within reach of the screen.
    void restorePosition();
    // Keeps the position in the settings (written with them at exit).
    void storePosition();

Q_SIGNALS:
    // The user closed the window (not the program hiding it).
    void closedByUser();

protected:
    void paintEvent(QPaintEvent* event) override;
    // Escape and the title bar's close button both end here.
    void reject() override;

private:
    QWidget* buildIndicator();
    QWidget* buildOpenPage();
    QWidget* buildRenamePage();
    QWidget* buildTakePage();
    void openFolders();
    void trigger(CommandId id);

    AppState& m_state;
    MainWindow& m_window;
    AssistantSteps::Step m_step = AssistantSteps::OpenFolders;
    std::array<QLabel*, 3> m_markers{};
    std::array<QLabel*, 3> m_stepLabels{};
    QStackedWidget* m_pages = nullptr;
    QComboBox* m_actions = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    std::array<QWidget*, 4> m_takeControls{};
};
