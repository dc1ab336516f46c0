#include "core/rename/CsvNamesParams.h"

#include "core/preview/PreviewList.h"
#include "core/rename/CodePoints.h"
#include "core/rename/CsvText.h"
#include "core/rename/NameParts.h"
#include "core/settings/Paths.h"

#include <QHash>
#include <algorithm>
#include <vector>

namespace {

constexpr qsizetype kShortExtension = 4;

QString tokenOf(int n)
{
    return QStringLiteral("<F%1>").arg(n + 1);
}

struct Row
{
    QString key;
    std::array<QString, CsvNamesParams::kTokens> values;
};

} // namespace

int CsvNamesParams::lastColumn() const
{
    int last = matchColumn;
    for (const int column : tokenColumns)
        last = std::max(last, column);
    return last;
}

QString CsvNamesParams::fill(const std::array<QString, kTokens>& values) const
{
    // One pass over the structure: a value holding "<F2>" stays as it is.
    QString out;
    out.reserve(structure.size());
    qsizetype at = 0;
    while (at < structure.size()) {
        bool replaced = false;
        for (int n = 0; n < kTokens && !replaced; ++n) {
            const QString token = tokenOf(n);
            if (QStringView(structure).sliced(at).startsWith(token)) {
                out += values[static_cast<size_t>(n)];
                at += token.size();
                replaced = true;
            }
        }
        if (!replaced)
            out += structure[at++];
    }
    return out;
}

QString CsvNamesParams::keepExtensionOf(const QString& oldName, const QString& newName)
{
    const FolderNameParts parts = SplitFolderName(newName);
    QString name = CodePoints::count(parts.ext) <= kShortExtension ? parts.base : newName;
    return name + GetFolderExt(oldName, true);
}

CsvNamesProblem applyCsvNames(PreviewList& list, const QStringList& lines, const CsvNamesParams& params, int* matched)
{
    // The rows first, every one checked, so that a short row changes nothing.
    std::vector<Row> rows;
    const qsizetype need = params.lastColumn() + 1;
    bool header = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).trimmed().isEmpty())
            continue;
        if (header) {
            header = false;
            continue;
        }
        const QStringList fields = ParseCsvLine(lines.at(i), params.separator);
        const qsizetype count = fields.size() - 1;
        if (count < need)
            return {CsvNamesProblem::Kind::ShortRow, static_cast<int>(i + 1), static_cast<int>(count)};
        Row row;
        row.key = params.matchColumn >= 0 ? fields.at(params.matchColumn) : QString();
        for (size_t n = 0; n < row.values.size(); ++n) {
            if (params.tokenColumns[n] >= 0)
                row.values[n] = fields.at(params.tokenColumns[n]);
        }
        rows.push_back(std::move(row));
    }
    if (rows.empty())
        return {CsvNamesProblem::Kind::NoRows, 0, 0};

    // The first row of each name and of each path, in file order.
    QHash<QString, qsizetype> byName;
    QHash<QString, qsizetype> byPath;
    for (qsizetype r = 0; r < static_cast<qsizetype>(rows.size()); ++r) {
        const QString& key = rows[static_cast<size_t>(r)].key;
        bool isPath = key.contains(QLatin1Char('/'));
        QString folded = key.toCaseFolded();
        if (params.matchBy == CsvNamesParams::MatchBy::Path) {
            isPath = true;
            folded = EnsureTrailingSeparator(folded);
        } else if (params.matchBy == CsvNamesParams::MatchBy::Name && isPath) {
            continue;
        }
        QHash<QString, qsizetype>& index = isPath ? byPath : byName;
        if (!index.contains(folded))
            index.insert(folded, r);
    }
    int hits = 0;
    const PreviewList::BulkEdit bulk(list);
    for (int i = 0; i < list.size(); ++i) {
        const FolderEntry& entry = list.entry(i);
        const auto name = byName.constFind(entry.oldName.toCaseFolded());
        const auto path = byPath.constFind(entry.key().toCaseFolded());
        qsizetype r = -1;
        if (name != byName.cend())
            r = *name;
        if (path != byPath.cend() && (r < 0 || *path < r))
            r = *path;
        if (r < 0)
            continue;
        QString newName = params.fill(rows[static_cast<size_t>(r)].values);
        if (params.keepExtension)
            newName = CsvNamesParams::keepExtensionOf(entry.oldName, newName);
        list.setNewName(i, newName);
        ++hits;
    }
    if (matched)
        *matched = hits;
    return {};
}
