#include "core/rename/ReplaceParams.h"

#include "core/rename/CodePoints.h"
#include "core/rename/FieldNumber.h"
#include "core/rename/NameParts.h"
#include "core/rename/RenameRun.h"
#include "core/rename/ReplaceText.h"
#include "core/script/DialogValues.h"
#include "core/settings/CharClasses.h"

namespace {

const QString kFind = QStringLiteral("txtToRep");
const QString kFirst = QStringLiteral("txtPos(0)");
const QString kLast = QStringLiteral("txtPos(1)");
const QString kFrom = QStringLiteral("txtFrom");
const QString kTo = QStringLiteral("txtTo");

int selected(const DialogValues& values, std::initializer_list<const char*> names, int fallback)
{
    int n = 1;
    for (const char* name : names) {
        if (values.selected(QLatin1String(name)))
            return n;
        ++n;
    }
    return fallback;
}

std::optional<int> count(const DialogValues& values, const QString& key)
{
    return FieldNumber(values.text(key), 1, kMaxNamePosition);
}

} // namespace

ReplaceParams ReplaceParams::fromValues(const DialogValues& values)
{
    ReplaceParams params;
    params.what = selected(values, {"opttxt2Repl", "optChr2Repl", "optFollowingChr", "optAllChrExcept"}, Text);
    params.positions = selected(values, {"optChrFirst", "optChrLast", "optChrFromTo"}, First);
    params.action = selected(values, {"optReplace", "optRemove"}, Replace);
    params.find = values.text(kFind);
    if (params.action == Replace)
        params.replacement = values.text(QStringLiteral("txtRepBy"));
    params.first = count(values, kFirst).value_or(1);
    params.last = count(values, kLast).value_or(1);
    params.from = count(values, kFrom).value_or(1);
    params.to = count(values, kTo).value_or(1);
    if (params.from > params.to)
        std::swap(params.from, params.to);
    params.charClass = std::clamp(values.number(QStringLiteral("cmbRemove"), 0) + 1, int(Letters), int(Others));
    if (values.checked(QStringLiteral("chkExceptions")))
        params.exceptions = values.text(QStringLiteral("txtExceptions"));
    params.regularExpression = values.checked(QStringLiteral("chkRegExp"));
    return params;
}

QString ReplaceParams::refusedKey(const DialogValues& values)
{
    const ReplaceParams params = fromValues(values);
    if (params.what == Text)
        return params.regularExpression && !params.pattern().isValid() ? kFind : QString();
    if (params.what != Positions)
        return {};
    const QStringList keys = params.positions == First  ? QStringList{kFirst}
                             : params.positions == Last ? QStringList{kLast}
                                                        : QStringList{kFrom, kTo};
    for (const QString& key : keys) {
        if (!count(values, key))
            return key;
    }
    return {};
}

QString ReplaceParams::characterSet(const CharClasses& classes) const
{
    QString set = charClass == Letters  ? classes.upper + classes.lower
                  : charClass == Digits ? classes.digits
                                        : classes.otherCharacters();
    for (const QChar c : exceptions)
        set.remove(c);
    return set;
}

QRegularExpression ReplaceParams::pattern() const
{
    return QRegularExpression(find);
}

QSet<char32_t> ReplaceParams::lookupSet(QStringView set)
{
    QSet<char32_t> out;
    for (qsizetype i = 0; i < set.size(); i += CodePoints::unitsAt(set, i))
        out.insert(CodePoints::at(set, i));
    return out;
}

QString ReplaceParams::replaceIn(QStringView base, const QSet<char32_t>& set, const QRegularExpression& re) const
{
    const qsizetype length = CodePoints::count(base);
    QString r;
    switch (what) {
    case Text:
        if (regularExpression)
            return ReplaceMatches(base.toString(), re, replacement);
        return ReplaceText(base.toString(), find, replacement);
    case Positions:
        if (positions == First) {
            if (first < length)
                r.append(replacement).append(base.mid(CodePoints::offsetOf(base, first)));
        } else if (positions == Last) {
            if (last < length)
                r.append(CodePoints::left(base, length - last)).append(replacement);
        } else if (from <= length) {
            // A range that starts past the end of the name has nothing to replace.
            r.append(CodePoints::left(base, from - 1))
                .append(replacement)
                .append(base.mid(CodePoints::offsetOf(base, to)));
        }
        return r;
    default:
        for (qsizetype i = 0; i < base.size(); i += CodePoints::unitsAt(base, i)) {
            const char32_t c = CodePoints::at(base, i);
            if (set.contains(c) == (what == InClass))
                r.append(replacement);
            else
                CodePoints::append(r, c);
        }
        return r;
    }
}

void applyReplace(RenameRun& run, const ReplaceParams& params)
{
    const QSet<char32_t> set = params.what == ReplaceParams::InClass || params.what == ReplaceParams::NotInClass
                                   ? ReplaceParams::lookupSet(params.characterSet(run.state.charClasses))
                                   : QSet<char32_t>();
    // Compiled once for the whole run; an invalid pattern changes nothing.
    QRegularExpression re;
    if (params.what == ReplaceParams::Text && params.regularExpression) {
        re = params.pattern();
        if (!re.isValid())
            return;
        re.optimize();
    }
    run.renameEach([&](const FolderEntry& entry) {
        const FolderNameViews parts = SplitFolderNameViews(entry.newName);
        const QString base = params.replaceIn(parts.base, set, re);
        return base.isEmpty() ? entry.newName : QString(base).append(parts.ext);
    });
}

QString ReplaceMatches(const QString& text, const QRegularExpression& re, QStringView replacement)
{
    QString out;
    qsizetype done = 0;
    QRegularExpressionMatchIterator matches = re.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        out.append(QStringView(text).mid(done, match.capturedStart() - done));
        for (qsizetype i = 0; i < replacement.size(); ++i) {
            const QChar c = replacement[i];
            if (c == QLatin1Char('$') && i + 1 < replacement.size() && replacement[i + 1] >= QLatin1Char('0') &&
                replacement[i + 1] <= QLatin1Char('9')) {
                out.append(match.captured(replacement[++i].unicode() - u'0'));
            } else {
                out.append(c);
            }
        }
        done = match.capturedEnd();
    }
    out.append(QStringView(text).mid(done));
    return out;
}
