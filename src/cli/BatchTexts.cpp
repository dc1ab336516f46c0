#include "cli/BatchTexts.h"

#include "cli/BatchOptions.h"

#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("Batch");
constexpr int kWidth = 79;
constexpr int kOptionColumn = 24;

} // namespace

BatchTexts::BatchTexts(const Language& language, const QString& programFolder)
    : m_language(language)
{
    const QString english = programFolder + QStringLiteral("English.lng");
    if (QFileInfo(language.path()).canonicalFilePath() != QFileInfo(english).canonicalFilePath())
        m_fallback.load(english);
}

QString BatchTexts::text(const QString& key, const QStringList& args) const
{
    const QString text = m_language.GetLngText(kSection, key, args);
    return text.isEmpty() ? m_fallback.GetLngText(kSection, key, args) : text;
}

QString BatchTexts::wrap(const QString& text, int indent, int width, int startColumn)
{
    const QString margin(indent, QLatin1Char(' '));
    QStringList out;
    QString line;
    // Columns taken on the current line before `line`: the caller's text on the first line only.
    qsizetype used = startColumn;
    qsizetype lineStart = 0;
    const auto breakLine = [&] {
        out.append(line);
        line = margin;
        lineStart = line.size();
        used = 0;
    };
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (qsizetype p = 0; p < paragraphs.size(); ++p) {
        if (p > 0)
            breakLine();
        const QStringList words = paragraphs.at(p).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString& word : words) {
            const bool first = line.size() == lineStart;
            if (!first && used + line.size() + 1 + word.size() > width)
                breakLine();
            if (line.size() > lineStart)
                line += QLatin1Char(' ');
            line += word;
        }
    }
    out.append(line);
    return out.join(QLatin1Char('\n'));
}

QString BatchTexts::helpText() const
{
    const auto option = [this](const QString& syntax, const QString& key) {
        QString line = QStringLiteral("  ") + syntax;
        line += line.size() < kOptionColumn ? QString(kOptionColumn - line.size(), QLatin1Char(' '))
                                            : QLatin1Char('\n') + QString(kOptionColumn, QLatin1Char(' '));
        return line + wrap(text(key), kOptionColumn, kWidth, kOptionColumn) + QLatin1Char('\n');
    };
    const QString script = text(QStringLiteral("ArgScript"));
    const QString structure = text(QStringLiteral("ArgText"));
    const QString listFile = text(QStringLiteral("ArgListFile"));
    const QString key = text(QStringLiteral("ArgKey"));
    const QString path = text(QStringLiteral("ArgPath"));
    const QString name = text(QStringLiteral("ArgName"));
    const QString file = text(QStringLiteral("ArgFile"));
    const QString column = text(QStringLiteral("ArgColumn"));
    const QString touch = text(QStringLiteral("ArgTouch"));
    const QString synopsis =
        QStringLiteral("dirwright --batch (--script %1 | --structure %2 | --structure-name %9 | --csv %6)... "
                       "[--csv-match %7 --csv-new %7... [--csv-structure %2] [--csv-by path|name] [--keep-extension]] "
                       "[--touch %8] [--dry-run] [--list-order] [--subfolders] [--list %3]... [--sort %4] [%5]...")
            .arg(script, structure, listFile, key, path, file, column, touch, name);

    // Continuation lines of the synopsis line up under the program name.
    const QString usage = text(QStringLiteral("Usage"), {synopsis});
    const int indent = static_cast<int>(qMax<qsizetype>(0, usage.indexOf(synopsis)));
    QString help = wrap(usage, indent, kWidth) + QLatin1Char('\n');
    for (const char* mode : {"--history", "--undo-last"})
        help += QString(indent, QLatin1Char(' ')) + QStringLiteral("dirwright --batch ") + QLatin1String(mode) +
                QLatin1Char('\n');
    help += QLatin1Char('\n');
    help += wrap(text(QStringLiteral("HelpIntro")), 0, kWidth) + QStringLiteral("\n\n");
    help += text(QStringLiteral("HelpOptions")) + QLatin1Char('\n');
    help += option(QStringLiteral("--script ") + script, QStringLiteral("HelpScript"));
    help += option(QStringLiteral("--structure ") + structure, QStringLiteral("HelpStructure"));
    help += option(QStringLiteral("--structure-name ") + name, QStringLiteral("HelpStructureName"));
    help += option(QStringLiteral("--csv ") + file, QStringLiteral("HelpCsv"));
    help += option(QStringLiteral("--csv-match ") + column, QStringLiteral("HelpCsvMatch"));
    help += option(QStringLiteral("--csv-new ") + column, QStringLiteral("HelpCsvNew"));
    help += option(QStringLiteral("--csv-structure ") + structure, QStringLiteral("HelpCsvStructure"));
    help += option(QStringLiteral("--csv-by path|name"), QStringLiteral("HelpCsvBy"));
    help += option(QStringLiteral("--keep-extension"), QStringLiteral("HelpKeepExtension"));
    help += option(QStringLiteral("--touch ") + touch, QStringLiteral("HelpTouch"));
    help += option(QStringLiteral("--dry-run"), QStringLiteral("HelpDryRun"));
    help += option(QStringLiteral("--list-order"), QStringLiteral("HelpListOrder"));
    help += option(QStringLiteral("--subfolders"), QStringLiteral("HelpSubfolders"));
    help += option(QStringLiteral("--list ") + listFile, QStringLiteral("HelpList"));
    help += option(QStringLiteral("--sort ") + key, QStringLiteral("HelpSort"));
    help += option(QStringLiteral("--history"), QStringLiteral("HelpHistory"));
    help += option(QStringLiteral("--undo-last"), QStringLiteral("HelpUndoLast"));
    help += option(QStringLiteral("--help, -h"), QStringLiteral("HelpHelp"));
    help += option(path, QStringLiteral("HelpPath"));
    help += QLatin1Char('\n');
    for (const char* paragraph : {"HelpOutput", "HelpExit", "HelpSettings"})
        help += wrap(text(QLatin1String(paragraph)), 0, kWidth) + QStringLiteral("\n\n");
    help.chop(1);
    return help;
}

QString BatchTexts::usageError(const BatchOptions& options) const
{
    QString problem;
    switch (options.error) {
    case BatchOptions::Error::UnknownOption:
        problem = text(QStringLiteral("ErrUnknownOption"), {options.errorArgument});
        break;
    case BatchOptions::Error::MissingValue:
        problem = text(QStringLiteral("ErrMissingValue"), {options.errorArgument});
        break;
    case BatchOptions::Error::BadSortKey:
        problem = text(QStringLiteral("ErrBadSortKey"),
                       {options.errorArgument, BatchOptions::sortKeyNames().join(QStringLiteral(", "))});
        break;
    case BatchOptions::Error::BadTouch:
        problem = text(QStringLiteral("ErrBadTouch"),
                       {options.errorArgument, BatchOptions::touchSourceNames().join(QStringLiteral(", "))});
        break;
    case BatchOptions::Error::NoAction:
        problem = text(QStringLiteral("ErrNoAction"));
        break;
    case BatchOptions::Error::HistoryAlone:
        problem = text(QStringLiteral("ErrHistoryAlone"), {options.errorArgument});
        break;
    case BatchOptions::Error::BadColumn:
        problem = text(QStringLiteral("ErrBadColumn"), {options.errorArgument});
        break;
    case BatchOptions::Error::BadCsvBy:
        problem = text(QStringLiteral("ErrBadCsvBy"), {options.errorArgument});
        break;
    case BatchOptions::Error::CsvColumnsMissing:
        problem = text(QStringLiteral("ErrCsvColumns"));
        break;
    case BatchOptions::Error::CsvTooManyNew:
        problem = text(QStringLiteral("ErrCsvTooManyNew"));
        break;
    case BatchOptions::Error::None:
        break;
    }
    return problem + QLatin1Char('\n') + text(QStringLiteral("SeeHelp")) + QLatin1Char('\n');
}
