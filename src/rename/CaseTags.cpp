#include "rename/CaseTags.h"

#include "rename/CodePoints.h"
#include "rename/TextSearch.h"

#include <QVarLengthArray>
#include <array>

namespace {

bool isWordChar(char32_t c)
{
    return c == u'\'' || c == 0x2019 || QChar::isLetter(c);
}

char32_t swapCase(char32_t c)
{
    const char32_t lower = QChar::toLower(c);
    return lower != c ? lower : QChar::toUpper(c);
}

// Converts the characters of one enclosed text in order; startText begins a new enclosed text.
class CaseWriter
{
public:
    explicit CaseWriter(CaseFunction function)
        : m_function(function)
    {}

    void startText() { m_index = 0; }

    // Converts the next character; `times` is how often it is enclosed (only swapping depends on it).
    char32_t convert(char32_t c, qsizetype times)
    {
        char32_t result = c;
        switch (m_function) {
        case CaseFunction::Upper:
            result = QChar::toUpper(c);
            break;
        case CaseFunction::Lower:
            result = QChar::toLower(c);
            break;
        case CaseFunction::Swap:
            result = swapCase(c);
            if (times % 2 == 0)
                result = swapCase(result);
            break;
        case CaseFunction::FirstCapital:
            result = m_index == 0 || (m_index == 1 && m_first == u'.') ? capital(c) : QChar::toLower(c);
            break;
        case CaseFunction::WordCapitals:
            result = m_index == 0 || !m_previousIsWord ? capital(c) : QChar::toLower(c);
            break;
        }
        if (m_index == 0)
            m_first = c;
        ++m_index;
        if (!QChar::isMark(c))
            m_previousIsWord = isWordChar(c);
        return result;
    }

private:
    // Title case, which is the capital letter for every alphabet but keeps digraphs such as "ǆ" readable.
    static char32_t capital(char32_t c) { return QChar::toTitleCase(c); }

    CaseFunction m_function;
    qsizetype m_index = 0;
    char32_t m_first = 0;
    bool m_previousIsWord = false;
};

const QString& openTag(CaseFunction function)
{
    static const std::array<QString, 5> tags{QStringLiteral("<UC>"), QStringLiteral("<LC>"), QStringLiteral("<1C>"),
                                             QStringLiteral("<WC>"), QStringLiteral("<SC>")};
    return tags[static_cast<size_t>(function)];
}

const QString& closeTag(CaseFunction function)
{
    static const std::array<QString, 5> tags{QStringLiteral("</UC>"), QStringLiteral("</LC>"), QStringLiteral("</1C>"),
                                             QStringLiteral("</WC>"), QStringLiteral("</SC>")};
    return tags[static_cast<size_t>(function)];
}

} // namespace

QString ConvertCase(QStringView text, CaseFunction function)
{
    QString out;
    out.reserve(text.size());
    CaseWriter writer(function);
    for (qsizetype i = 0; i < text.size(); i += CodePoints::unitsAt(text, i))
        CodePoints::append(out, writer.convert(CodePoints::at(text, i), 1));
    return out;
}

std::optional<TagPair> FindTagPair(QStringView text, QStringView openTag, QStringView closeTag, qsizetype openFrom,
                                   qsizetype closeFrom)
{
    const qsizetype open = IndexOfIgnoreCase(text, openTag, openFrom);
    if (open < 0)
        return std::nullopt;
    const qsizetype close = IndexOfIgnoreCase(text, closeTag, closeFrom);
    if (close < 0)
        return std::nullopt;
    return TagPair{open, open + openTag.size(), close, close + closeTag.size()};
}

QString ApplyCaseTags(const QString& text, CaseFunction function)
{
    // Converting letters never makes or breaks a tag, so the pairs that the repeated first-open,
    // first-close rule removes are simply the k-th opening with the k-th closing tag.
    QVarLengthArray<TagPair, 8> pairs;
    qsizetype openFrom = 0;
    qsizetype closeFrom = 0;
    while (const std::optional<TagPair> pair =
               FindTagPair(text, openTag(function), closeTag(function), openFrom, closeFrom)) {
        if (pair->close < pair->openEnd)
            break;
        pairs.append(*pair);
        openFrom = pair->openEnd;
        closeFrom = pair->closeEnd;
    }
    if (pairs.isEmpty())
        return text;

    // Sweep: the opening tags passed minus the closing tags passed is how often a character is enclosed,
    // and the pair opened last is the one whose conversion it keeps.
    QString out;
    out.reserve(text.size());
    CaseWriter writer(function);
    const qsizetype count = pairs.size();
    qsizetype opened = 0;
    qsizetype closed = 0;
    for (qsizetype x = 0; x < text.size();) {
        if (opened < count && x == pairs[opened].open) {
            x = pairs[opened++].openEnd;
            writer.startText();
            continue;
        }
        if (closed < count && x == pairs[closed].close) {
            x = pairs[closed++].closeEnd;
            continue;
        }
        const qsizetype units = CodePoints::unitsAt(text, x);
        const qsizetype enclosed = opened - closed;
        if (enclosed > 0)
            CodePoints::append(out, writer.convert(CodePoints::at(text, x), enclosed));
        else
            out.append(QStringView(text).sliced(x, units));
        x += units;
    }
    return out;
}
