#include "core/rename/InsertParams.h"

#include "core/rename/CodePoints.h"
#include "core/rename/FieldNumber.h"
#include "core/rename/NameAddition.h"
#include "core/rename/NameParts.h"
#include "core/rename/NameStructure.h"
#include "core/rename/RenameRun.h"
#include "core/script/DialogValues.h"
#include "core/settings/CharClasses.h"

namespace {

const QString kPosition = QStringLiteral("txtPos");

// Stands where a separator may go while the base is built. No folder name holds NUL, so the marker never
// meets a character of the name itself.
constexpr QChar kMarker = QChar(0);

// The characters of a text with their classes, code point by code point.
struct Classified
{
    char32_t c;
    CharClasses::Kind kind;
};

QList<Classified> classify(QStringView text, const CharClasses& classes)
{
    QList<Classified> out;
    for (qsizetype i = 0; i < text.size(); i += CodePoints::unitsAt(text, i)) {
        const char32_t c = CodePoints::at(text, i);
        out.append({c, classes.kindOf(c)});
    }
    return out;
}

} // namespace

InsertParams InsertParams::fromValues(const DialogValues& values)
{
    InsertParams params;
    params.where = values.selectedIndex(QStringLiteral("opt1"), AtPosition, AtEnd, kDefaultWhere);
    params.position = FieldNumber(values.text(kPosition), 0, kMaxNamePosition).value_or(0);
    params.fromRight = values.number(QStringLiteral("cmbAlign"), 0) == 1;
    for (const int kind : values.indices(QStringLiteral("lstBeforeAfter"))) {
        if (kind >= CharClasses::UpperLetter && kind <= CharClasses::OtherCharacter && !params.classes.contains(kind))
            params.classes.append(kind);
    }
    params.onlyOnce = values.checked(QStringLiteral("chkOnlyOnce"));
    params.what = values.selectedIndex(QStringLiteral("opt2"), Text, Date, kDefaultWhat);
    params.text = values.text(QStringLiteral("txtIns"));
    params.format = values.text(QStringLiteral("txtFormat"), defaultFormat());
    params.separator = NameAddition::separatorOf(values.checked(QStringLiteral("chkIntChr")),
                                                 values.number(QStringLiteral("cmbIntChr"), 0));
    return params;
}

QString InsertParams::refusedKey(const DialogValues& values)
{
    const InsertParams params = fromValues(values);
    if (params.where == AtPosition && !FieldNumber(values.text(kPosition), 0, kMaxNamePosition))
        return kPosition;
    return {};
}

QString InsertParams::insertion() const
{
    if (what == Date)
        return QStringLiteral("<DT(C,\"") + (format.isEmpty() ? defaultFormat() : format) + QStringLiteral("\")>");
    return text;
}

QString InsertParams::insertInto(QStringView base, QStringView inserted, const CharClasses& charClasses) const
{
    QString block;
    block.append(kMarker).append(inserted).append(kMarker);
    QString out;
    const qsizetype length = CodePoints::count(base);
    switch (where) {
    case AtPosition: {
        const qsizetype k =
            fromRight ? std::max<qsizetype>(length - position, 0) : std::min<qsizetype>(position, length);
        const qsizetype split = CodePoints::offsetOf(base, k);
        out.append(base.left(split)).append(block).append(base.mid(split));
        break;
    }
    case BeforeClasses:
    case AfterClasses: {
        const QList<Classified> chars = classify(base, charClasses);
        const bool before = where == BeforeClasses;
        for (qsizetype i = 0; i < chars.size(); ++i) {
            const CharClasses::Kind kind = chars[i].kind;
            // Only once: at the first character of a run of its class (or the last, for after).
            const qsizetype neighbour = before ? i - 1 : i + 1;
            const bool runEdge = neighbour < 0 || neighbour >= chars.size() || chars[neighbour].kind != kind;
            const bool insert = classes.contains(kind) && (runEdge || !onlyOnce);
            if (insert && before)
                out.append(block);
            CodePoints::append(out, chars[i].c);
            if (insert && !before)
                out.append(block);
        }
        break;
    }
    case AtStart:
        out.append(block).append(base);
        break;
    default:
        out.append(base).append(block);
        break;
    }
    // The separator stands between the text and its neighbours, never at the start or end of the base.
    if (out.startsWith(kMarker))
        out.remove(0, 1);
    if (out.endsWith(kMarker))
        out.chop(1);
    return out.replace(kMarker, separator);
}

void applyInsert(RenameRun& run, const InsertParams& params)
{
    const QString insertion = params.insertion();
    if (insertion.isEmpty())
        return;
    const bool evaluate = insertion.contains(QLatin1Char('<'));
    run.renameEach([&](const FolderEntry& entry) {
        const QString inserted = evaluate ? EvaluateStructure(entry, insertion, run.state.fs(), run.locale) : insertion;
        // Nothing to insert for this entry (a folder right below the root has no parent name).
        if (inserted.isEmpty())
            return entry.newName;
        const FolderNameViews parts = SplitFolderNameViews(entry.newName);
        return params.insertInto(parts.base, inserted, run.state.charClasses).append(parts.ext);
    });
}
