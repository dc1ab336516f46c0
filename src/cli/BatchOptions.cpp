#include "cli/BatchOptions.h"

#include <QDateTime>
#include <algorithm>
#include <optional>

namespace {

const QLatin1String kScript("--script");
const QLatin1String kStructure("--structure");
const QLatin1String kStructureName("--structure-name");
const QLatin1String kList("--list");
const QLatin1String kSort("--sort");
const QLatin1String kCsv("--csv");
const QLatin1String kCsvMatch("--csv-match");
const QLatin1String kCsvNew("--csv-new");
const QLatin1String kCsvStructure("--csv-structure");
const QLatin1String kCsvBy("--csv-by");
const QLatin1String kKeepExtension("--keep-extension");
const QLatin1String kTouch("--touch");
const QLatin1String kDryRun("--dry-run");
const QLatin1String kListOrder("--list-order");
const QLatin1String kSubfolders("--subfolders");
const QLatin1String kHistory("--history");
const QLatin1String kUndoLast("--undo-last");
const QLatin1String kHelp("--help");
const QLatin1String kShortHelp("-h");
const QLatin1String kEndOfOptions("--");
constexpr qsizetype kCsvTokens = 4; // <F1> to <F4>

std::optional<BatchOptions::SortKey> sortKeyOf(const QString& text)
{
    const QStringList names = BatchOptions::sortKeyNames();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (text.compare(names.at(i), Qt::CaseInsensitive) == 0)
            return static_cast<BatchOptions::SortKey>(i);
    }
    return std::nullopt;
}

bool takesValue(const QString& option)
{
    return option == kScript || option == kStructure || option == kStructureName || option == kList ||
           option == kSort || option == kTouch || option == kCsv || option == kCsvMatch || option == kCsvNew ||
           option == kCsvStructure || option == kCsvBy;
}

// A 1-based column number as the 0-based index; nothing for anything else.
std::optional<int> columnOf(const QString& text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1 || text.startsWith(QLatin1Char('+')))
        return std::nullopt;
    return n - 1;
}

// "SOURCE[:OFFSET]": a named source or an ISO date (local time unless it names its zone), then an offset
// such as "+00:00:01:00:00:00". The offset starts at the first ":+" or ":-", which no ISO date holds.
std::optional<AttributesParams::TimeRequest> touchRequest(const QString& value)
{
    using Source = AttributesParams::Source;
    qsizetype split = value.indexOf(QLatin1String(":+"));
    if (const qsizetype minus = value.indexOf(QLatin1String(":-")); minus >= 0 && (split < 0 || minus < split))
        split = minus;
    const QString source = split < 0 ? value : value.left(split);
    AttributesParams::TimeRequest request;
    request.enabled = true;
    if (split >= 0) {
        request.offset = value.mid(split + 1);
        if (TimeOffset::fromText(request.offset).text() != request.offset)
            return std::nullopt;
    }
    const QStringList names = BatchOptions::touchSourceNames();
    if (const qsizetype i = names.indexOf(source.toLower()); i >= 0) {
        request.source = static_cast<Source>(static_cast<int>(Source::FilesEarliest) + i);
        return request;
    }
    QDateTime date = QDateTime::fromString(source, Qt::ISODate);
    if (!date.isValid())
        date = QDate::fromString(source, Qt::ISODate).startOfDay();
    if (!date.isValid())
        return std::nullopt;
    request.source = Source::Explicit;
    request.date = ApplyOffset(date.toLocalTime(), request.offset);
    request.offset = TimeOffset::zeroText();
    return request;
}

} // namespace

QStringList BatchOptions::sortKeyNames()
{
    return {QStringLiteral("none"),    QStringLiteral("name"),     QStringLiteral("path"),
            QStringLiteral("created"), QStringLiteral("modified"), QStringLiteral("size")};
}

QStringList BatchOptions::touchSourceNames()
{
    return {QStringLiteral("files-earliest"), QStringLiteral("files-latest"), QStringLiteral("subfolders-earliest"),
            QStringLiteral("subfolders-latest")};
}

BatchOptions ParseBatchArguments(const QStringList& arguments)
{
    BatchOptions options;
    const auto fail = [&options](BatchOptions::Error error, const QString& argument) {
        if (options.ok()) {
            options.error = error;
            options.errorArgument = argument;
        }
    };

    bool optionsEnded = false;
    bool csvOptions = false; // any --csv-… option or --keep-extension
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        // A lone "-" is a name like any other; everything else that starts with "-" is an option.
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument.size() == 1) {
            options.inputs.append({BatchOptions::Input::Kind::Path, argument});
            continue;
        }
        if (argument == kEndOfOptions) {
            optionsEnded = true;
            continue;
        }
        if (argument == kHelp || argument == kShortHelp) {
            options.help = true;
            continue;
        }
        if (argument == kDryRun) {
            options.dryRun = true;
            continue;
        }
        if (argument == kListOrder) {
            options.listOrder = true;
            continue;
        }
        if (argument == kSubfolders) {
            options.subfolders = true;
            continue;
        }
        if (argument == kKeepExtension) {
            options.csv.keepExtension = true;
            csvOptions = true;
            continue;
        }
        if (argument == kHistory || argument == kUndoLast) {
            const auto mode = argument == kHistory ? BatchOptions::Mode::History : BatchOptions::Mode::UndoLast;
            if (options.mode != BatchOptions::Mode::Rename && options.mode != mode)
                fail(BatchOptions::Error::HistoryAlone, argument);
            options.mode = mode;
            continue;
        }

        QString option = argument;
        std::optional<QString> value;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        if (argument.startsWith(QLatin1String("--")) && equals > 2) {
            option = argument.left(equals);
            value = argument.mid(equals + 1);
        }
        if (!takesValue(option)) {
            fail(BatchOptions::Error::UnknownOption, option);
            continue;
        }
        if (!value) {
            // The next argument is the value whatever it looks like: a structure may well start with "-".
            if (i + 1 >= arguments.size()) {
                fail(BatchOptions::Error::MissingValue, option);
                continue;
            }
            value = arguments.at(++i);
        }
        if (option == kScript) {
            options.actions.append({BatchOptions::Action::Kind::Script, *value});
        } else if (option == kStructure) {
            options.actions.append({BatchOptions::Action::Kind::Structure, *value});
        } else if (option == kStructureName) {
            options.actions.append({BatchOptions::Action::Kind::StructureName, *value});
        } else if (option == kList) {
            options.inputs.append({BatchOptions::Input::Kind::ListFile, *value});
        } else if (option == kCsv) {
            options.actions.append({BatchOptions::Action::Kind::Csv, *value});
        } else if (option == kCsvMatch || option == kCsvNew) {
            csvOptions = true;
            const std::optional<int> column = columnOf(*value);
            if (!column)
                fail(BatchOptions::Error::BadColumn, option);
            else if (option == kCsvMatch)
                options.csv.match = *column;
            else if (options.csv.tokens.size() < kCsvTokens)
                options.csv.tokens.append(*column);
            else
                fail(BatchOptions::Error::CsvTooManyNew, option);
        } else if (option == kCsvStructure) {
            csvOptions = true;
            options.csv.structure = *value;
        } else if (option == kCsvBy) {
            csvOptions = true;
            if (*value == QLatin1String("path") || *value == QLatin1String("name"))
                options.csv.by = *value;
            else
                fail(BatchOptions::Error::BadCsvBy, *value);
        } else if (option == kTouch) {
            options.touch = touchRequest(*value);
            if (!options.touch)
                fail(BatchOptions::Error::BadTouch, *value);
        } else if (const std::optional<BatchOptions::SortKey> key = sortKeyOf(*value)) {
            options.sort = *key;
        } else {
            fail(BatchOptions::Error::BadSortKey, *value);
        }
    }
    const bool csvFiles = std::any_of(options.actions.cbegin(), options.actions.cend(), [](const auto& action) {
        return action.kind == BatchOptions::Action::Kind::Csv;
    });
    if (options.mode != BatchOptions::Mode::Rename) {
        // The history is read and undone as it stands: nothing to load, apply or sort.
        if (!options.actions.isEmpty() || !options.inputs.isEmpty() || options.dryRun || options.subfolders ||
            options.touch || csvOptions || options.listOrder)
            fail(BatchOptions::Error::HistoryAlone, options.mode == BatchOptions::Mode::History ? kHistory : kUndoLast);
    } else if (options.actions.isEmpty() && !options.touch) {
        fail(BatchOptions::Error::NoAction, QString());
    } else if (csvFiles ? options.csv.match < 0 || options.csv.tokens.isEmpty() : csvOptions) {
        fail(BatchOptions::Error::CsvColumnsMissing, QString());
    }
    return options;
}
