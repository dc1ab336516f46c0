// DetectSeparator and the file decoding on any bytes: the file is read as the dialog reads it (UTF-8, else
// Windows-1252 line by line), and the answer is one of the four it may give, and consistent with the lines.
#include "FuzzCheck.h"

#include "core/rename/CsvText.h"
#include "core/settings/TextCodec.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = TextCodec::splitLines(TextCodec::decode(bytes));
    const QString separator = DetectSeparator(lines);
    check(separator.isEmpty() || separator == QLatin1String("\t") || separator == QLatin1String(",") ||
          separator == QLatin1String(";"));
    for (const QString& line : lines) {
        if (!separator.isEmpty() && !line.trimmed().isEmpty())
            check(line.contains(separator));
    }
    return 0;
}
