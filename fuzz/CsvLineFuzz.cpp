// ParseCsvLine on any line with any separator: it ends, every field is a piece of the line, the extra empty
// element is always last, and no more fields come out than the line has characters.
#include "FuzzCheck.h"
#include "FuzzText.h"

#include "core/rename/CsvText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<QString> parts = FuzzText::split(data, size, 2);
    const QString& line = parts[1];
    // The separators the dialog offers, and whatever else the fuzzer finds (several characters, none).
    const QString& separator = parts[0];
    for (const QString& sep : {separator, QStringLiteral(";"), QStringLiteral(","), QStringLiteral("\t")}) {
        const QStringList fields = ParseCsvLine(line, sep);
        check(!fields.isEmpty() && fields.last().isEmpty());
        check(fields.size() <= line.size() + 1);
        for (const QString& field : fields)
            check(field.size() <= line.size() && line.contains(field));
    }
    return 0;
}
