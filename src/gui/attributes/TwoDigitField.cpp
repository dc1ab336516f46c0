#include "gui/attributes/TwoDigitField.h"

#include "gui/settings/NamedWidget.h"

#include <QFontMetrics>
#include <QIntValidator>
#include <QLineEdit>
#include <QScrollBar>

TwoDigitField TwoDigitField::create(QWidget* parent, const QString& barName, const QString& fieldName, int minimum,
                                    int maximum)
{
    TwoDigitField pair;
    pair.bar = NamedWidget<QScrollBar>(parent, barName);
    pair.bar->setOrientation(Qt::Horizontal);
    pair.bar->setRange(minimum, maximum);
    pair.bar->setPageStep(1);
    pair.bar->setMinimumWidth(pair.bar->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
    pair.field = NamedWidget<QLineEdit>(parent, fieldName);
    pair.field->setValidator(new QIntValidator(0, 99, pair.field));
    pair.field->setMaxLength(2);
    pair.field->setAlignment(Qt::AlignRight);
    pair.field->setFixedWidth(pair.field->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
    pair.field->setText(digits(minimum));
    QLineEdit* field = pair.field;
    QScrollBar* bar = pair.bar;
    QObject::connect(bar, &QScrollBar::valueChanged, field, [field](int value) { field->setText(digits(value)); });
    QObject::connect(field, &QLineEdit::editingFinished, bar, [field, bar] {
        bar->setValue(field->text().toInt());
        field->setText(digits(bar->value())); // a value the bar refused is shown as the bar has it
    });
    return pair;
}
