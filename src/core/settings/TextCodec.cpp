#include "core/settings/TextCodec.h"

#include "core/platform/PosixFileOps.h"
#include "core/platform/PosixFileSystem.h"

#include <QStringDecoder>

namespace TextCodec {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; the five undefined codes keep their C1 value.
constexpr char16_t kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QChar fromWindows1252(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHighControls[byte - 0x80]);
    return QChar(byte);
}

QString decodeLine(QByteArrayView line)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(line);
    if (!utf8.hasError())
        return text;
    text.clear();
    text.reserve(line.size());
    for (char c : line)
        text.append(fromWindows1252(static_cast<unsigned char>(c)));
    return text;
}

QString decode(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    // One line in Windows-1252 must not garble the UTF-8 lines around it.
    text.clear();
    text.reserve(view.size());
    qsizetype start = 0;
    while (start <= view.size()) {
        qsizetype end = view.indexOf('\n', start);
        if (end < 0)
            end = view.size();
        text += decodeLine(view.sliced(start, end - start));
        if (end < view.size())
            text += QLatin1Char('\n');
        start = end + 1;
    }
    return text;
}

QByteArray encode(const QString& text)
{
    return text.toUtf8();
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = n;
        // Every carriage return before the line end goes ("\r\r\n" from a doubly converted file too),
        // so a line reads the same before and after the program rewrites the file.
        qsizetype stop = end;
        while (stop > start && text.at(stop - 1) == QLatin1Char('\r'))
            --stop;
        lines.append(text.mid(start, stop - start));
        start = end + 1;
    }
    return lines;
}

QString readFile(const QString& path, bool* ok)
{
    const FileRead read = PosixFileSystem::readRegularFile(PosixFileOps::native(path), FileSystem::kTextFileLimit);
    if (ok)
        *ok = read.ok();
    return decode(read.bytes);
}

} // namespace TextCodec
