#pragma once

#include <QString>

// Whether two texts are one shared text (the same memory and length), which is equal without comparing a
// character. Rows of one folder share their parent path, so a look at the row before mostly ends here.
inline bool IsSharedText(const QString& a, const QString& b)
{
    return a.constData() == b.constData() && a.size() == b.size();
}
