// ReplaceText against a plain reference that tries every position with Qt's own comparison: same result
// for every text, search text, start, count and case mode, and always valid UTF-16.
#include "FuzzText.h"

#include "core/rename/CodePoints.h"
#include "core/rename/ReplaceText.h"

#include <cstdlib>

namespace {

bool splitsPair(const QString& text, qsizetype at)
{
    return at > 0 && at < text.size() && text[at].isLowSurrogate() && text[at - 1].isHighSurrogate();
}

QString reference(const QString& text, const QString& find, const QString& replacement, qsizetype start,
                  qsizetype count, bool ignoreCase)
{
    if (find.isEmpty())
        return text;
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    QString out;
    qsizetype copied = 0;
    qsizetype done = 0;
    for (qsizetype at = start > 1 ? CodePoints::offsetOf(text, start - 1) : 0;
         done < count && at + find.size() <= text.size();) {
        if (QStringView(text).sliced(at, find.size()).compare(find, cs) == 0 && !splitsPair(text, at) &&
            !splitsPair(text, at + find.size())) {
            out += text.mid(copied, at - copied) + replacement;
            copied = at = at + find.size();
            ++done;
        } else {
            ++at;
        }
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
