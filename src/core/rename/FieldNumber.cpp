#include "core/rename/FieldNumber.h"

std::optional<int> FieldNumber(const QString& text, int minimum, int maximum)
{
    const QString trimmed = text.trimmed();
    // toInt() would take a leading "+"; a field holds digits and, where allowed, a minus sign.
    if (trimmed.isEmpty() || trimmed.front() == QLatin1Char('+'))
        return std::nullopt;
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    if (!ok || value < minimum || value > maximum)
        return std::nullopt;
    return value;
}
