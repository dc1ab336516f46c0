// Command lines of any content split into arguments that are pieces of the text: never more characters
// than the text had, never a blank outside quotes.
#include "core/load/CommandLine.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList arguments = SplitCommandLine(text);
    qsizetype total = 0;
    for (const QString& argument : arguments) {
        total += argument.size();
        if (argument.contains(QLatin1Char(' ')) && !text.contains(QLatin1Char('"')))
            std::abort();
    }
    if (total > text.size())
        std::abort();
    return 0;
}
