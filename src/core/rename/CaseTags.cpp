#include "core/rename/CaseTags.h"

#include "core/rename/CodePoints.h"
#include "core/rename/TextSearch.h"

#include <QVarLengthArray>
#include <array>

namespace {

// Case mapping with a shortcut for ASCII, which most names are made of.
bool isAsciiLetter(char32_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

char32_t upperOf(char32_t c)
{
    if (c < 0x80)
        return c >= u'a' && c <= u'z' ? c - 32 : c;
    return QChar::toUpper(c);
}

char32_t lowerOf(char32_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? c + 32 : c;
    return QChar::toLower(c);
}

// Title case, which is the capital letter for every alphabet but keeps digraphs such as "ǆ" readable.
char32_t capitalOf(char32_t c)
{
    return c < 0x80 ? upperOf(c) : QChar::toTitleCase(c);
}

bool isWordChar(char32_t c)
{
    if (c < 0x80)
        return c == u'\'' || isAsciiLetter(c);
    return c == 0x2019 || QChar::isLetter(c);
}

// Combining marks all lie above U+0300.
bool isMark(char32_t c)
{
    return c >= 0x300 && QChar::isMark(c);
}

char32_t swapCase(char32_t c)
{
    const char32_t lower = lowerOf(c);
    return lower != c ? lower : upperOf(c);
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
            result = upperOf(c);
            break;
        case CaseFunction::Lower:
            result = lowerOf(c);
            break;
        case CaseFunction::Swap:
            result = swapCase(c);
            if (times % 2 == 0)
                result = swapCase(result);
            break;
        case CaseFunction::FirstCapital:
            result = m_index == 0 || (m_index == 1 && m_first == u'.') ? capitalOf(c) : lowerOf(c);
            break;
        case CaseFunction::WordCapitals:
            result = m_index == 0 || !m_previousIsWord ? capitalOf(c) : lowerOf(c);
            break;
        }
        if (m_index == 0)
            m_first = c;
        ++m_index;
        if (!isMark(c))
            m_previousIsWord = isWordChar(c);
        return result;
    }

private:
    CaseFunction m_function;
    qsizetype m_index = 0;
    char32_t m_first = 0;
    bool m_previousIsWord = false;
};

const TextSearch& openTag(CaseFunction function)
{
    static const std::array<TextSearch, 5> tags{TextSearch(u"<UC>", true), TextSearch(u"<LC>", true),
                                                TextSearch(u"<1C>", true), TextSearch(u"<WC>", true),
                                                TextSearch(u"<SC>", true)};
    return tags[static_cast<size_t>(function)];
}

const TextSearch& closeTag(CaseFunction function)
{
    static const std::array<TextSearch, 5> tags{TextSearch(u"</UC>", true), TextSearch(u"</LC>", true),
                                                TextSearch(u"</1C>", true), TextSearch(u"</WC>", true),
                                                TextSearch(u"</SC>", true)};
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

std::optional<TagPair> FindTagPair(QStringView text, const TextSearch& openTag, const TextSearch& closeTag,
                                   qsizetype openFrom, qsizetype closeFrom)
{
    const qsizetype open = openTag.indexIn(text, openFrom);
    if (open < 0)
        return std::nullopt;
    const qsizetype close = closeTag.indexIn(text, closeFrom);
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
