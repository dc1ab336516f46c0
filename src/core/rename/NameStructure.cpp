#include "core/rename/NameStructure.h"

#include "core/platform/FileSystem.h"
#include "core/preview/FolderEntry.h"
#include "core/rename/CaseTags.h"
#include "core/rename/CodePoints.h"
#include "core/rename/LiteralText.h"
#include "core/rename/NameParts.h"
#include "core/rename/NumberText.h"
#include "core/rename/RenameRun.h"
#include "core/rename/ReplaceText.h"
#include "core/rename/StructureArgs.h"
#include "core/rename/StructureMarkers.h"
#include "core/rename/TextSearch.h"
#include "core/settings/DateFormatter.h"

#include <cmath>
#include <limits>

namespace {

// The tags, prepared once for searching. All but the separator marker match without regard to case.
const TextSearch kPath(u"<PATH>", true);
const TextSearch kName(u"<NAME>", true);
const TextSearch kNameLeft(u"<NAME_L(", true);
const TextSearch kNameRight(u"<NAME_R(", true);
const TextSearch kNameMid(u"<NAME_M(", true);
const TextSearch kExt(u"<EXT>", true);
const TextSearch kDotExt(u"<.EXT>", true);
const TextSearch kDateTime(u"<DT(", true);
const TextSearch kDosName(u"<DOSNAME>", true);
const TextSearch kDosBase(u"<DOSNAME_N>", true);
const TextSearch kDosExt(u"<DOSNAME_E>", true);
const TextSearch kIntChar(u"<IntChar>");

// Replaces every function tag by its value, left to right, continuing behind each inserted value.
template <typename Value> QString replaceFunction(const QString& text, const TextSearch& tag, Value&& valueOf)
{
    qsizetype at = tag.indexIn(text);
    if (at < 0)
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype copied = 0;
    while (at >= 0) {
        const TagArguments call = ParseTagArgs(text, at, tag.size());
        out.append(QStringView(text).sliced(copied, at - copied));
        out.append(valueOf(call.args));
        copied = call.end;
        at = tag.indexIn(text, copied);
    }
    out.append(QStringView(text).sliced(copied));
    return out;
}

// A count or position argument after its find( calls: not a number, a number beyond 32 bits, or one.
struct IntegerArgument
{
    bool numeric = false;
    std::optional<qint32> value; // empty for numbers out of the 32-bit range
};

IntegerArgument integerArgument(QStringView argument, QStringView name)
{
    // A value taken from the name counts as the text it is.
    const std::optional<double> number = NumericValue(EvalArgument(LiteralText::release(argument), name));
    if (!number)
        return {};
    const double rounded = std::round(*number);
    if (!(rounded >= std::numeric_limits<qint32>::min() && rounded <= std::numeric_limits<qint32>::max()))
        return {true, std::nullopt};
    return {true, static_cast<qint32>(rounded)};
}

QString leftOrRight(const QList<QStringView>& args, QStringView base, QStringView name, bool fromLeft)
{
    if (args.size() != 1)
        return StructureMarkers::error();
    const IntegerArgument n = integerArgument(args.at(0), name);
    if (!n.numeric)
        return StructureMarkers::noNumber();
    if (!n.value || *n.value <= 0)
        return {};
    return (fromLeft ? CodePoints::left(base, *n.value) : CodePoints::right(base, *n.value)).toString();
}

QString middle(const QList<QStringView>& args, QStringView base, QStringView name)
{
    if (args.size() != 2)
        return StructureMarkers::error();
    const IntegerArgument first = integerArgument(args.at(0), name);
    const IntegerArgument second = integerArgument(args.at(1), name);
    if (!first.numeric || !second.numeric)
        return StructureMarkers::noNumber();
    if (!first.value || !second.value)
        return {};
    const qint64 length = CodePoints::count(base);
    qint64 a = *first.value;
    qint64 b = *second.value;
    if (a == 0)
        a = 1;
    if (b == 0)
        b = length;
    // Negative positions count back from the end: -1 is the second-to-last character.
    if (a < 0)
        a += length;
    if (b < 0)
        b += length;
    if (a < 1)
        a = 1;
    if (b < 1)
        b = length;
    return CodePoints::range(base, qMin(a, b), qMax(a, b)).toString();
}

// The name of the folder that holds the entry: the last part of its parent path; empty directly under
// the root.
QStringView parentFolderName(QStringView path)
{
    if (path.endsWith(u'/'))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QStringView() : path.sliced(slash + 1);
}

// Removes the first "<IntChar>…<IntChar>" block when it holds nothing but blanks or "x"; any other
// block stays for the insert function, which turns the markers into its separator.
QString removeEmptySeparatorBlock(const QString& text)
{
    const qsizetype first = kIntChar.indexIn(text);
    if (first < 0)
        return text;
    const qsizetype innerStart = first + kIntChar.size();
    const qsizetype second = kIntChar.indexIn(text, innerStart);
    if (second < 0)
        return text;
    QStringView inner = QStringView(text).sliced(innerStart, second - innerStart);
    while (inner.startsWith(u' '))
        inner = inner.sliced(1);
    while (inner.endsWith(u' '))
        inner.chop(1);
    if (!inner.isEmpty() && inner != u"x")
        return text;
    QString out = text;
    out.remove(first, second + kIntChar.size() - first);
    return out;
}

// The "<DT(" value: the folder time named by the source, in the format, both upper-cased and unquoted.
class DateTimeValue
{
public:
    DateTimeValue(const FolderEntry& entry, const FileSystem& fs, const QLocale& locale)
        : m_entry(entry)
        , m_fs(fs)
        , m_locale(locale)
    {}

    QString operator()(const QList<QStringView>& args)
    {
        if (args.size() != 2)
            return StructureMarkers::checkDateTime();
        const QString upperSource = ConvertCase(args.at(0), CaseFunction::Upper);
        const QString upperFormat = ConvertCase(args.at(1), CaseFunction::Upper);
        const QStringView source = StripQuotes(upperSource);
        const QStringView format = StripQuotes(upperFormat);
        if (source != u"C" && source != u"M" && source != u"A")
            return StructureMarkers::checkDateTime();
        if (!m_asked) {
            m_times = m_fs.folderTimes(m_entry.key());
            m_asked = true;
        }
        // A time that cannot be read is written as the zero time, which the formatter substitutes.
        QDateTime time;
        if (m_times)
            time = source == u"C" ? m_times->created : source == u"M" ? m_times->lastWrite : m_times->lastAccess;
        return DateFormatter::format(time, format, m_locale);
    }

private:
    const FolderEntry& m_entry;
    const FileSystem& m_fs;
    const QLocale& m_locale;
    bool m_asked = false;
    std::optional<FolderTimes> m_times;
};

} // namespace

QString EvaluateStructure(const FolderEntry& entry, const QString& structure, const FileSystem& fs,
                          const QLocale& locale)
{
    const QString& name = entry.newName;
    const QString& source = structure.isEmpty() ? name : structure;
    // Every placeholder and tag begins with "<".
    if (!source.contains(u'<'))
        return source;
    QString s = LiteralText::escapeStandIns(source);
    const FolderNameViews parts = SplitFolderNameViews(name);
    const QStringView base = parts.base;
    const QStringView ext = parts.ext.isEmpty() ? QStringView() : parts.ext.sliced(1);
    using Args = QList<QStringView>;
    using LiteralText::protect;

    // Every value taken from a name goes in protected, so no later pass reads tags in it.
    s = ReplaceText(s, kPath, protect(parentFolderName(entry.parentPath)));
    s = ReplaceText(s, kName, protect(base));
    s = replaceFunction(s, kNameLeft, [&](const Args& args) { return protect(leftOrRight(args, base, name, true)); });
    s = replaceFunction(s, kNameRight, [&](const Args& args) { return protect(leftOrRight(args, base, name, false)); });
    s = replaceFunction(s, kNameMid, [&](const Args& args) { return protect(middle(args, base, name)); });
    s = ReplaceText(s, kExt, protect(ext));
    s = ReplaceText(s, kDotExt, protect(parts.ext));
    s = replaceFunction(s, kDateTime, DateTimeValue(entry, fs, locale));
    // This platform has no short names: the "short" name is the folder's name on disk.
    const QString& diskName = entry.oldName;
    const FolderNameViews diskParts = SplitFolderNameViews(diskName);
    s = ReplaceText(s, kDosName, protect(diskName));
    s = ReplaceText(s, kDosBase, protect(diskParts.base));
    s = ReplaceText(s, kDosExt, protect(diskParts.ext));
    s = removeEmptySeparatorBlock(s);
    for (const CaseFunction function : {CaseFunction::Upper, CaseFunction::Lower, CaseFunction::FirstCapital,
                                        CaseFunction::WordCapitals, CaseFunction::Swap})
        s = ApplyCaseTags(s, function);
    return LiteralText::release(s);
}

void ApplyStructure(RenameRun& run, const QString& structure)
{
    const FileSystem& fs = run.state.fs();
    run.renameEach([&](const FolderEntry& entry) { return EvaluateStructure(entry, structure, fs, run.locale); });
}
