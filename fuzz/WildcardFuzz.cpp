// The input is a pattern and a name separated by the first NUL byte (both UTF-8). Matching must never
// crash, and its work must stay bounded by name length × pattern length; a few cheap identities are
// checked on the way.
#include "core/load/Wildcard.h"

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(bytes, 0, size);
    const size_t split = nul ? size_t(static_cast<const char*>(nul) - bytes) : size;
    const QString pattern = QString::fromUtf8(bytes, qsizetype(split));
    const QString name = split < size ? QString::fromUtf8(bytes + split + 1, qsizetype(size - split - 1)) : QString();

    const Wildcard wildcard(pattern);
    const bool matched = wildcard.matches(name);

    // "*" around any pattern can only widen it.
    if (matched && !Wildcard(QStringLiteral("*") + pattern + QStringLiteral("*")).matches(name))
        std::abort();
    // A pattern without special characters matches exactly itself.
    static const QString kSpecial = QStringLiteral("*?#[");
    bool plain = true;
    for (const QChar c : pattern)
        plain = plain && !kSpecial.contains(c);
    if (plain && matched != (pattern == name))
        std::abort();
    if (!Wildcard(QStringLiteral("*")).matches(name))
        std::abort();
    return 0;
}
