#include "core/rename/DateTimeParams.h"

#include "core/platform/LocalTime.h"
#include "core/rename/RenameRun.h"
#include "core/script/DialogValues.h"
#include "core/settings/DateFormatter.h"

DateTimeParams DateTimeParams::fromValues(const DialogValues& values)
{
    DateTimeParams params;
    params.source = values.number(QStringLiteral("cmbSource"), 0);
    params.format = values.text(QStringLiteral("txtFormat"), QString::fromUtf16(kDefaultFormat));
    params.addition = NameAddition::fromValues(values, QStringLiteral("opt1(1)"), QStringLiteral("chkIChr"));
    return params;
}

void applyDateTime(RenameRun& run, const DateTimeParams& params)
{
    run.renameEach([&](const FolderEntry& entry) {
        // The time as the list shows it, so the name says what the user sees in the column. Known times
        // are taken apart directly: reading 100 000 texts back would cost seconds.
        LocalTime::Parts shown = LocalTime::parts(entry.created);
        if (!shown.date.isValid()) {
            const QDateTime time =
                QDateTime::fromString(entry.text(FolderEntry::ColCreated), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (!time.isValid())
                return entry.newName;
            shown = {time.date(), time.time()};
        }
        return params.addition.apply(entry.newName,
                                     DateFormatter::format(shown.date, shown.time, params.format, run.locale));
    });
}
