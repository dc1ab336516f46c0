#pragma once

#include <QLineEdit>

// A field for a number as the numbering dialog takes it. Typed characters outside the field's character
// set are discarded (Backspace, Delete and the cursor keys work as usual); typed letters are first put in
// the field's case. A typed "-" never enters: it toggles the sign (when the field allows that), and when
// the whole text is selected it replaces it. Pasted text is taken as it is. Leaving the field is told by
// left(), so the dialog can tidy the text.
class NumberFieldWidget : public QLineEdit
{
    Q_OBJECT

public:
    enum class LetterCase { AsTyped, Upper, Lower };

    explicit NumberFieldWidget(QWidget* parent = nullptr);

    // The characters that may be typed, and how typed letters are cased.
    void setCharacters(const QString& characters, LetterCase letterCase = LetterCase::AsTyped);
    // Whether "-" toggles the sign; decimal fields negate their number, the others add or drop a leading "-".
    void setSignToggle(bool enabled, bool decimal);

    // The text with its sign toggled as a typed "-" does.
    QString toggledSign() const;

Q_SIGNALS:
    void left();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_characters;
    LetterCase m_case = LetterCase::AsTyped;
    bool m_signToggle = true;
    bool m_decimal = true;
};
