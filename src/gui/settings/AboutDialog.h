#pragma once

#include <QDialog>

struct AppState;
class Prompter;

// The about window ("frmInfo"): version, licence and credits.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    AboutDialog(const AppState& state, Prompter& prompter, QWidget* parent = nullptr);
};
