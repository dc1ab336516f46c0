#include "core/rename/MoveParams.h"

#include "core/rename/CodePoints.h"
#include "core/rename/FieldNumber.h"
#include "core/rename/NameParts.h"
#include "core/rename/RenameRun.h"
#include "core/script/DialogValues.h"

namespace {

const QString kFrom = QStringLiteral("txtFrom");
const QString kTo = QStringLiteral("txtTo");
const QString kShift = QStringLiteral("txtPos");

std::optional<int> fromValue(const DialogValues& values)
{
    return FieldNumber(values.text(kFrom), 1, kMaxNamePosition);
}
std::optional<int> toValue(const DialogValues& values)
{
    return FieldNumber(values.text(kTo), 0, kMaxNamePosition);
}
std::optional<int> shiftValue(const DialogValues& values)
{
    return FieldNumber(values.text(kShift), -kMaxNamePosition, kMaxNamePosition);
}

} // namespace

MoveParams MoveParams::fromValues(const DialogValues& values)
{
    MoveParams params;
    params.from = fromValue(values).value_or(1);
    params.to = toValue(values).value_or(0);
    params.shift = shiftValue(values).value_or(0);
    params.entry = values.number(QStringLiteral("VScroll1"), 1);
    params.all = values.checked(QStringLiteral("chkAdd2All"));
    return params;
}

QString MoveParams::refusedKey(const DialogValues& values)
{
    if (!fromValue(values))
        return kFrom;
    if (!toValue(values))
        return kTo;
    if (!shiftValue(values))
        return kShift;
    return {};
}

QString MoveCharacters(QStringView base, int from, int to, int target)
{
    const qsizetype length = CodePoints::count(base);
    if (from < 1 || from > length || to < from)
        return base.toString();
    const qsizetype start = CodePoints::offsetOf(base, from - 1);
    const qsizetype end = CodePoints::offsetOf(base, to);
    const QStringView run = base.mid(start, end - start);
    const QString rest = base.left(start).toString().append(base.mid(end));
    const qsizetype at = CodePoints::offsetOf(rest, std::max(target, 1) - 1);
    QString out;
    out.reserve(base.size());
    return out.append(QStringView(rest).left(at)).append(run).append(QStringView(rest).mid(at));
}

void applyMove(RenameRun& run, const MoveParams& params)
{
    const auto moved = [&params](const FolderEntry& entry) {
        const FolderNameViews parts = SplitFolderNameViews(entry.newName);
        return MoveCharacters(parts.base, params.from, params.to, params.target()).append(parts.ext);
    };
    if (params.all) {
        run.renameEach(moved);
        return;
    }
    // The example entry changes whatever the apply-to selector says.
    run.renameRow(params.entry - 1, moved);
}
