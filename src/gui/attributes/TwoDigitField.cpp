#include "gui/attributes/TwoDigitField.h"

#include "gui/settings/NamedWidget.h"

#include <QFontMetrics>
#include <QIntValidator>
#include <QLabel>
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
    pair.bar->setMinimumWidth(pair.bar->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 20);
    pair.field = NamedWidget<QLineEdit>(parent, fieldName);
    pair.field->setValidator(new QIntValidator(0, 99, pair.field));
    pair.field->setMaxLength(2);
    pair.field->setAlignment(Qt::AlignRight);
    pair.field->setFixedWidth(pair.field->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
    pair.field->setText(digits(minimum));
    pair.field->setProperty("scrollBar", QVariant::fromValue(pair.bar));
    QLineEdit* field = pair.field;
    QScrollBar* bar = pair.bar;
    QObject::connect(bar, &QScrollBar::valueChanged, field, [field](int value) { field->setText(digits(value)); });
    QObject::connect(field, &QLineEdit::editingFinished, bar, [field, bar] {
        bar->setValue(field->text().toInt());
        field->setText(digits(bar->value())); // a value the bar refused is shown as the bar has it
    });
    return pair;
}

void TwoDigitField::nameBars(const QWidget* window)
{
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        const auto* field = qobject_cast<const QLineEdit*>(label->buddy());
        if (!field)
            continue;
        // The bar sits next to its field; the property ties them without a lookup by name.
        if (auto* bar = field->property("scrollBar").value<QScrollBar*>())
            bar->setAccessibleName(label->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed());
    }
}
