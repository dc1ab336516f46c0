// Batch command lines of any content: the parser never crashes, keeps every value it takes as given and
// never takes more than it was given; the help wrapper keeps every word and breaks only where it may.
#include "FuzzCheck.h"
#include "FuzzText.h"
#include "cli/BatchOptions.h"
#include "cli/BatchTexts.h"

#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>

namespace {

// The part of an argument an option may have taken as its value: all of it, or what follows an "=".
bool isValueOf(const QString& value, const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        if (argument == value)
            return true;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        if (equals >= 0 && argument.mid(equals + 1) == value)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Zero bytes separate the arguments.
    QStringList arguments;
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0) {
            arguments.append(FuzzText::decode(data + start, i - start));
            start = i + 1;
        }
    }

    const BatchOptions options = ParseBatchArguments(arguments);
    check(options.actions.size() + options.inputs.size() <= arguments.size());
    for (const BatchOptions::Action& action : options.actions)
        check(isValueOf(action.value, arguments));
    for (const BatchOptions::Input& input : options.inputs)
        check(isValueOf(input.value, arguments));
    // A run must do something: apply steps, or at least set times.
    if (options.ok())
        check(!options.actions.isEmpty() || options.touch.has_value());
    if (options.error == BatchOptions::Error::UnknownOption || options.error == BatchOptions::Error::MissingValue)
        check(options.errorArgument.startsWith(QLatin1Char('-')));

    const QString text = arguments.join(QLatin1Char(' '));
    const int width = static_cast<int>(size % 90);
    const int indent = static_cast<int>(size % 7);
    const QString wrapped = BatchTexts::wrap(text, indent, width);
    const QStringList lines = wrapped.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        qsizetype first = 0;
        while (first < line.size() && line.at(first) == QLatin1Char(' '))
            ++first;
        // Only a line of one word may be longer than the width.
        check(line.indexOf(QLatin1Char(' '), first) < 0 || line.size() <= width);
    }
    const auto wordsOf = [](const QString& t) {
        return t.split(QRegularExpression(QStringLiteral("[ \\n]+")), Qt::SkipEmptyParts);
    };
    check(wordsOf(wrapped) == wordsOf(text));
    return 0;
}
