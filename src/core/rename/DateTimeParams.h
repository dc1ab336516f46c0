#pragma once

#include "core/rename/NameAddition.h"

#include <QString>

class DialogValues;
class RenameRun;

// Date and time (type 9, "frmDateTime"): the entry's creation time, as the list shows it, written with a
// format of the format library before or after the base name.
struct DateTimeParams
{
    static constexpr char16_t kDefaultFormat[] = u"yyyy-mm-dd";

    int source = 0;                                      // "cmbSource": 0 the creation time, the only source
    QString format = QString::fromUtf16(kDefaultFormat); // "txtFormat"; the default when empty
    NameAddition addition; // "opt1(0)"/"opt1(1)", "chkIChr" + "cmbIChr", "chkReplace" + "txtRepName"

    static DateTimeParams fromValues(const DialogValues& values);
};

// Adds the formatted creation time to each admitted entry; an entry whose time text is empty or no time
// keeps its name.
void applyDateTime(RenameRun& run, const DateTimeParams& params);
