// ReplaceText against a plain reference built on Qt's own search: same result for every text, search
// text, start, count and case mode, and always valid UTF-16.
#include "FuzzText.h"

#include "rename/CodePoints.h"
#include "rename/ReplaceText.h"
#include "rename/TextSearch.h"

#include <cstdlib>

namespace {

QString reference(const QString& text, const QString& find, const QString& replacement, qsizetype start,
                  qsizetype count, bool ignoreCase)
{
    if (find.isEmpty())
        return text;
    const QString hay = ignoreCase ? FoldCaseCopy(text) : text;
    const QString needle = ignoreCase ? FoldCaseCopy(find) : find;
    QString out;
    qsizetype copied = 0;
    qsizetype from = start > 1 ? CodePoints::offsetOf(text, start - 1) : 0;
    for (qsizetype done = 0; done < count; ++done) {
        const qsizetype at = hay.indexOf(needle, from);
        if (at < 0)
            break;
        out += text.mid(copied, at - copied) + replacement;
        copied = from = at + find.size();
    }
    return out + text.mid(copied);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const bool ignoreCase = data[0] & 1;
    const qsizetype start = qsizetype(data[1] % 16) - 2;
    const qsizetype count = data[2] >= 200 ? kReplaceAll : qsizetype(data[2] % 8);
    const std::vector<QString> parts = FuzzText::split(data + 3, size - 3, 3);
    const QString result = ReplaceText(parts[0], parts[1], parts[2], start, count, ignoreCase);
    if (!result.isValidUtf16())
        abort();
    if (result != reference(parts[0], parts[1], parts[2], start, count, ignoreCase))
        abort();
    return 0;
}
