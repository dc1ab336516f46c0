#include "core/rename/NumberingParams.h"

#include "core/rename/NumberText.h"
#include "core/rename/RenameRun.h"
#include "core/rename/ReplaceText.h"
#include "core/script/DialogValues.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <cmath>
#include <limits>

NumberingParams NumberingParams::fromValues(const DialogValues& values)
{
    NumberingParams params;
    params.system = qBound(0, values.number(QStringLiteral("cmbNumberWith"), 0), 3);
    params.start = cleanStart(values.text(QStringLiteral("txtInit")), params.system);
    params.increment = cleanNumber(values.text(QStringLiteral("txtInc")));
    params.width = qBound(0, values.number(QStringLiteral("cmbAnz"), 0), 15);
    params.shuffle = values.checked(QStringLiteral("chkRandom"));
    params.addition = NameAddition::fromValues(values, QStringLiteral("optSuffix"), QStringLiteral("chkIntChr"));
    return params;
}

QString NumberingParams::cleanNumber(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("1");
    return ReplaceText(text, u"-", u"", 2);
}

QString NumberingParams::cleanStart(const QString& text, int system)
{
    // Only decimal numbering starts below zero; the other systems drop the sign.
    return cleanNumber(system == NumberDecimal ? text : QString(text).remove(QLatin1Char('-')));
}

std::optional<qint32> NumberingParams::wholeNumber(const QString& text)
{
    bool ok = false;
    const qint32 value = text.toInt(&ok);
    const bool plain = !text.isEmpty() && !text.startsWith(u'+') && text.trimmed().size() == text.size();
    return ok && plain ? std::optional(value) : std::nullopt;
}

NumberingParams::Refusal NumberingParams::check(int count) const
{
    static const QRegularExpression digits(QStringLiteral("^-?[0-9]+$"));
    if (!digits.match(start).hasMatch() || !digits.match(increment).hasMatch())
        return Refusal::NotANumber;
    const std::optional<qint32> first = wholeNumber(start);
    const std::optional<qint32> step = wholeNumber(increment);
    if (!first || !step)
        return Refusal::OutOfRange;
    // The numbers lie between the first and the last, so checking the last covers them all.
    const qint64 last = qint64(*first) + qint64(qMax(count, 1) - 1) * qint64(*step);
    if (last < std::numeric_limits<qint32>::min() || last > std::numeric_limits<qint32>::max())
        return Refusal::OutOfRange;
    // Letters are written from the absolute value, which the most negative number does not have.
    if (system >= NumberUpperLetters &&
        (*first == std::numeric_limits<qint32>::min() || last == std::numeric_limits<qint32>::min()))
        return Refusal::OutOfRange;
    return Refusal::None;
}

QStringList NumberTexts(const NumberingParams& params, int count, quint32 seed)
{
    if (count <= 0 || params.check(count) != NumberingParams::Refusal::None)
        return {};
    const qint64 start = *NumberingParams::wholeNumber(params.start);
    const qint64 increment = *NumberingParams::wholeNumber(params.increment);
    QStringList texts;
    texts.reserve(count);
    for (int k = 0; k < count; ++k)
        texts.append(NumberToText(qint32(start + k * increment), params.system));
    // The automatic width is that of the last number; the padding goes before a minus sign too.
    const qsizetype width = params.width > 0 ? params.width : texts.last().size();
    const QChar pad = params.system <= NumberHex ? QLatin1Char('0') : QLatin1Char(' ');
    for (QString& text : texts)
        text = text.rightJustified(width, pad);
    if (params.shuffle) {
        QRandomGenerator random(seed);
        const auto position = [&] { return int(std::lround(random.generateDouble() * (count - 1))); };
        for (int n = 0; n < 3 * count; ++n)
            texts.swapItemsAt(position(), position());
    }
    return texts;
}

void applyNumbering(RenameRun& run, const NumberingParams& params)
{
    const QStringList texts = NumberTexts(params, run.targetCount(), quint32(run.state.now().toMSecsSinceEpoch()));
    if (texts.isEmpty())
        return;
    run.renameEach([&](const FolderEntry& entry, int k) { return params.addition.apply(entry.newName, texts.at(k)); });
}
