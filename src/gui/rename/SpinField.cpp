#include "gui/rename/SpinField.h"

#include "core/rename/FieldNumber.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

SpinField::SpinField(QWidget* dialog, const QString& fieldName, const QString& barName, int base, int minimum,
                     int maximum)
    : QObject(dialog)
    , m_base(base)
    , m_minimum(minimum)
    , m_maximum(maximum)
{
    // The bar comes first, so that restoring stored values ends with the field's own text.
    m_bar = new QScrollBar(Qt::Vertical, dialog);
    m_bar->setObjectName(barName);
    m_bar->setRange(base - maximum, base - minimum);
    m_bar->setPageStep(1);
    m_field = new QLineEdit(dialog);
    m_field->setObjectName(fieldName);
    m_field->setMaximumWidth(m_field->fontMetrics().horizontalAdvance(QStringLiteral("-00000")) + 16);
    m_bar->setFixedHeight(m_field->sizeHint().height());
    setValue(minimum);
    connect(m_bar, &QScrollBar::valueChanged, this, &SpinField::barMoved);
    connect(m_field, &QLineEdit::textChanged, this, &SpinField::fieldEdited);
}

QHBoxLayout* SpinField::makeLayout() const
{
    auto* layout = new QHBoxLayout;
    layout->setSpacing(0);
    layout->addWidget(m_field);
    layout->addWidget(m_bar);
    layout->addStretch(1);
    return layout;
}

void SpinField::setValue(int value)
{
    m_field->setText(QString::number(std::clamp(value, m_minimum, m_maximum)));
}

void SpinField::setEnabled(bool enabled)
{
    m_field->setEnabled(enabled);
    m_bar->setEnabled(enabled);
}

void SpinField::barMoved(int value)
{
    const QSignalBlocker block(m_field);
    m_field->setText(QString::number(m_base - value));
}

void SpinField::fieldEdited(const QString& text)
{
    if (const std::optional<int> number = FieldNumber(text, m_minimum, m_maximum)) {
        const QSignalBlocker block(m_bar);
        m_bar->setValue(m_base - *number);
    }
}
