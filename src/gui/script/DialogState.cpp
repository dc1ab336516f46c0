#include "gui/script/DialogState.h"

#include "core/AppState.h"
#include "core/script/ScriptStore.h"
#include "core/settings/IniDocument.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>

namespace {

// The dialog's own controls: named, and not the inner parts Qt gives some controls ("qt_spinbox_lineedit").
QList<QWidget*> namedControls(const QWidget* dialog)
{
    QList<QWidget*> controls;
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            controls.append(w);
    }
    return controls;
}

bool isMultiSelection(const QListWidget* list)
{
    const auto mode = list->selectionMode();
    return mode == QAbstractItemView::MultiSelection || mode == QAbstractItemView::ExtendedSelection ||
           mode == QAbstractItemView::ContiguousSelection;
}

QString textValue(const QString& text)
{
    return text.isEmpty() ? QString() : DialogValues::encodeText(text);
}

QString checkValue(Qt::CheckState state)
{
    switch (state) {
    case Qt::Checked:
        return QStringLiteral("1");
    case Qt::PartiallyChecked:
        return QStringLiteral("2");
    default:
        return QStringLiteral("0");
    }
}

QString selectionValue(const QListWidget* list)
{
    QList<int> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QStringList parts;
    for (int row : rows)
        parts.append(QString::number(row));
    return parts.join(QLatin1Char(','));
}

QString valueOf(const QWidget* w)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(w))
        return textValue(edit->text());
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(w))
        return textValue(edit->toPlainText());
    if (const auto* option = qobject_cast<const QRadioButton*>(w))
        return option->isChecked() ? QString::fromUtf16(DialogValues::kOptionSelected) : QString();
    if (const auto* check = qobject_cast<const QCheckBox*>(w))
        return checkValue(check->checkState());
    if (const auto* slider = qobject_cast<const QAbstractSlider*>(w))
        return QString::number(slider->value());
    if (const auto* spin = qobject_cast<const QSpinBox*>(w))
        return QString::number(spin->value());
    if (const auto* combo = qobject_cast<const QComboBox*>(w))
        return QString::number(combo->currentIndex());
    if (const auto* list = qobject_cast<const QListWidget*>(w))
        return isMultiSelection(list) ? selectionValue(list) : QString::number(list->currentRow());
    return {};
}

// A whole number, or nothing for text that is not one.
std::optional<int> numberOf(const QString& raw)
{
    bool ok = false;
    const int value = raw.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// Every listed index, or nothing when one of them is not a row of the list.
std::optional<QList<int>> rowsOf(const QString& raw, int count)
{
    QList<int> rows;
    for (const QString& part : raw.split(QLatin1Char(','))) {
        const std::optional<int> row = numberOf(part);
        if (!row || *row < 0 || *row >= count)
            return std::nullopt;
        rows.append(*row);
    }
    return rows;
}

void restoreSelection(QListWidget* list, const QString& raw)
{
    const std::optional<QList<int>> rows = rowsOf(raw, list->count());
    if (!rows)
        return;
    // The stored list names the selected rows only; the others were not selected when it was saved.
    list->clearSelection();
    for (int row : *rows)
        list->item(row)->setSelected(true);
}

void restore(QWidget* w, const QString& raw)
{
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(DialogValues::decodeText(raw));
        return;
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
        edit->setPlainText(DialogValues::decodeText(raw));
        return;
    }
    if (auto* option = qobject_cast<QRadioButton*>(w)) {
        if (raw.trimmed() == QStringView(DialogValues::kOptionSelected))
            option->setChecked(true);
        return;
    }
    if (auto* list = qobject_cast<QListWidget*>(w); list && isMultiSelection(list)) {
        restoreSelection(list, raw);
        return;
    }
    const std::optional<int> number = numberOf(raw);
    if (!number)
        return;
    const int n = *number;
    if (auto* check = qobject_cast<QCheckBox*>(w)) {
        if (n == 0 || n == 1)
            check->setCheckState(n == 1 ? Qt::Checked : Qt::Unchecked);
        else if (n == 2 && check->isTristate())
            check->setCheckState(Qt::PartiallyChecked);
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
        if (n >= slider->minimum() && n <= slider->maximum())
            slider->setValue(n);
    } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
        if (n >= spin->minimum() && n <= spin->maximum())
            spin->setValue(n);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (n >= -1 && n < combo->count())
            combo->setCurrentIndex(n);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        if (n >= -1 && n < list->count())
            list->setCurrentRow(n);
    }
}

} // namespace

DialogValues ReadDialogValues(const QWidget* dialog)
{
    DialogValues values;
    for (const QWidget* w : namedControls(dialog))
        values.set(w->objectName(), valueOf(w));
    return values;
}

void WriteDialogValues(QWidget* dialog, const DialogValues& values)
{
    for (QWidget* w : namedControls(dialog)) {
        if (values.has(w->objectName()))
            restore(w, values.raw(w->objectName()));
    }
}

bool SaveDialogState(AppState& state, const QWidget* dialog, const QString& section, int mode)
{
    const DialogValues values = ReadDialogValues(dialog);
    if (mode == 1) {
        ScriptStore::putSection(state.settings.document(), section, values);
        return state.settings.save(state.fs()) == Settings::SaveResult::Saved;
    }
    if (mode == 2)
        return ScriptStore::appendStep(state.fs(), ScriptStore::scratchPath(state), section.toInt(), values) > 0;
    return false;
}

void RestoreDialogState(const AppState& state, QWidget* dialog, const QString& section)
{
    WriteDialogValues(dialog, DialogValues::fromSection(state.settings.document(), section));
}

void RestoreScriptStep(const QString& scriptFile, QWidget* dialog, int step)
{
    if (!scriptFile.isEmpty())
        WriteDialogValues(dialog, DialogValues::fromSection(IniDocument::load(scriptFile), QString::number(step)));
}

void WatchDialogValues(const QWidget* dialog, QObject* receiver, const std::function<void()>& changed)
{
    for (QWidget* w : namedControls(dialog)) {
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            QObject::connect(edit, &QLineEdit::textChanged, receiver, changed);
        else if (auto* text = qobject_cast<QPlainTextEdit*>(w))
            QObject::connect(text, &QPlainTextEdit::textChanged, receiver, changed);
        else if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable())
            QObject::connect(button, &QAbstractButton::toggled, receiver, changed);
        else if (auto* slider = qobject_cast<QAbstractSlider*>(w))
            QObject::connect(slider, &QAbstractSlider::valueChanged, receiver, changed);
        else if (auto* spin = qobject_cast<QSpinBox*>(w))
            QObject::connect(spin, &QSpinBox::valueChanged, receiver, changed);
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            QObject::connect(combo, &QComboBox::currentIndexChanged, receiver, changed);
        else if (auto* list = qobject_cast<QListWidget*>(w))
            QObject::connect(list, &QListWidget::itemSelectionChanged, receiver, changed);
    }
}
