#include "core/rename/StructureCheck.h"

#include "core/preview/FolderEntry.h"
#include "core/rename/CodePoints.h"
#include "core/rename/NameStructure.h"
#include "core/rename/TextSearch.h"

#include <QList>

namespace {

QList<qsizetype> positionsOf(const QString& text, const TextSearch& tag)
{
    QList<qsizetype> out;
    for (qsizetype at = tag.indexIn(text); at >= 0; at = tag.indexIn(text, at + tag.size()))
        out.append(at);
    return out;
}

bool casePairsFollow(const QString& text, const TextSearch& open, const TextSearch& close)
{
    const QList<qsizetype> opens = positionsOf(text, open);
    const QList<qsizetype> closes = positionsOf(text, close);
    if (opens.size() != closes.size())
        return false;
    for (qsizetype k = 0; k < opens.size(); ++k) {
        if (opens.at(k) > closes.at(k) || (k > 0 && opens.at(k) < closes.at(k - 1)))
            return false;
    }
    return true;
}

} // namespace

StructureCheck CheckStructure(const QString& structure)
{
    StructureCheck check;
    bool inside = false;
    qsizetype lastOpen = -1;
    for (qsizetype i = 0; i < structure.size(); ++i) {
        const QChar c = structure.at(i);
        if ((c == QLatin1Char('<') && inside) || (c == QLatin1Char('>') && !inside)) {
            check.problem = StructureCheck::Problem::Misplaced;
            check.index = i;
            check.position = CodePoints::count(QStringView(structure).first(i)) + 1;
            return check;
        }
        if (c == QLatin1Char('<')) {
            inside = true;
            lastOpen = i;
        } else if (c == QLatin1Char('>')) {
            inside = false;
        }
    }
    if (inside) {
        check.problem = StructureCheck::Problem::Unclosed;
        check.fragment = structure.mid(lastOpen);
        return check;
    }
    static const TextSearch kUpper(u"<UC>", true);
    static const TextSearch kUpperEnd(u"</UC>", true);
    static const TextSearch kLower(u"<LC>", true);
    static const TextSearch kLowerEnd(u"</LC>", true);
    for (const auto& [open, close, name] : {std::tuple{&kUpper, &kUpperEnd, u"UC"}, {&kLower, &kLowerEnd, u"LC"}}) {
        if (!casePairsFollow(structure, *open, *close)) {
            check.problem = StructureCheck::Problem::UnpairedCase;
            check.openTag = QStringLiteral("<%1>").arg(QStringView(name));
            check.closeTag = QStringLiteral("</%1>").arg(QStringView(name));
            return check;
        }
    }
    return check;
}

bool StructureUnderstands(const QString& text, const FileSystem& fs)
{
    // A name with an extension, a dash and a parent, so every element has something to show. The folder
    // does not exist: date elements then show the zero time, which is still a name.
    FolderEntry sample;
    sample.parentPath = QStringLiteral("/Sample/");
    sample.oldName = QStringLiteral("Summer-trip.2004");
    sample.newName = sample.oldName;
    const bool argument =
        !text.contains(QLatin1Char('<')) && text.contains(QLatin1String("find("), Qt::CaseInsensitive);
    // Text without a placeholder would only ever be inserted as it stands.
    if (!argument && !text.contains(QLatin1Char('<')))
        return false;
    const QString structure = argument ? QStringLiteral("<NAME_L(%1)>").arg(text) : text;
    const QString name = EvaluateStructure(sample, structure, fs, QLocale::c());
    return !name.contains(QLatin1Char('<')) && !name.contains(QLatin1Char('>'));
}
