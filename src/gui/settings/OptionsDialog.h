#pragma once

#include "core/settings/OptionsValues.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>

struct AppState;
class Prompter;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolBar;

// The options ("frmOptions"): language, remembered dialog values, the rename history, the confirmation
// questions, expert mode, the dialog colours and the named filters, on the pages of "TabStrip1". A new
// language is put on the window at once and taken back by Cancel; OK stores everything in one write.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Mode {
        Options,   // from the menu: OK writes the settings file
        FirstStart // before the main window: OK only sets the values; the start writes them with the language
    };
    OptionsDialog(AppState& state, Prompter& prompter, Mode mode = Mode::Options, QWidget* parent = nullptr);

    // What the controls hold now.
    OptionsValues values() const;
    // The chosen language file (full path).
    QString languageFile() const;

    // Pages of the tab strip, in order.
    enum Page { LanguagePage, GeneralPage, ColoursPage, FiltersPage };
    void showPage(Page page);

    // The confirmation questions (0 before undo, 1 before taking changes, 2 before rejecting), each ticked
    // in the list or not.
    bool isQuestionChosen(int question) const;
    void chooseQuestion(int question, bool chosen);

    // The filter editor ("Frame2"): open for a new filter or for the selected one.
    void addFilter();
    void editFilter();
    bool isEditingFilter() const;

    // At a start with several language files and none chosen: offers them with the desktop's language
    // selected and the window in that language. The chosen file, or empty when the user closed it. run
    // shows the dialog modally (tests operate it instead).
    static QString chooseAtStart(AppState& state, Prompter& prompter, const QStringList& files,
                                 const std::function<int(QDialog&)>& run = &OptionsDialog::runModal);

    static int runModal(QDialog& dialog) { return dialog.exec(); }

    void accept() override;
    void reject() override;

private:
    void buildLanguagePage(QWidget* page);
    void buildGeneralPage(QWidget* page);
    void buildColoursPage(QWidget* page);
    void buildFiltersPage(QWidget* page);
    void retranslate();
    void languageChosen(int index);
    void expertsToggled(bool on);
    void chooseColour(int box);
    void resetColours();
    void showColours();
    void fillFilters(int selected);
    void deleteFilter();
    void openFilterEditor(bool add);
    void closeFilterEditor();
    void confirmFilter();
    void patternToText();
    void textToPattern();
    void updateFilterButtons();

    AppState& m_state;
    Prompter& m_prompter;
    const Mode m_mode;
    const QString m_languageAtOpen;
    QStringList m_files;
    std::array<int, 2> m_colours{};
    QList<NamedFilter> m_filters;
    bool m_addingFilter = false;

    QTabWidget* m_tabs = nullptr;
    QComboBox* m_language = nullptr;
    QCheckBox* m_saveSettings = nullptr;
    QCheckBox* m_protocol = nullptr;
    QListWidget* m_questions = nullptr;
    QCheckBox* m_experts = nullptr;
    std::array<QFrame*, 2> m_colourBoxes{};
    QFrame* m_colourTest = nullptr;
    QLabel* m_colourTestText = nullptr;
    QComboBox* m_filterList = nullptr;
    QToolBar* m_filterBar = nullptr;
    QGroupBox* m_editor = nullptr;
    QLineEdit* m_filterName = nullptr;
    QListWidget* m_patterns = nullptr;
    QLineEdit* m_patternEdit = nullptr;
};
