#pragma once

#include <QLineEdit>

// A text field for a folder name or a part of one. Typed characters that no folder name may hold here or
// on the systems the names travel to (\ / : ? * < > | and the double quote) are rejected as they are
// typed; pasted text is taken as it is, so the name-structure placeholders can still be pasted. On
// receiving the focus the field selects all its text, so typing replaces it.
class NameFieldWidget : public QLineEdit
{
    Q_OBJECT

public:
    explicit NameFieldWidget(QWidget* parent = nullptr);

    static bool isRejected(QChar c);
    // A field that holds a pattern rather than a name (a regular expression) takes every character.
    void setFiltering(bool on) { m_filtering = on; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool m_filtering = true;
};
