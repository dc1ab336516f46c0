#pragma once

#include <QString>
#include <QStringView>
#include <optional>

class TextSearch;

// The case functions of name structures, written as tag pairs "<UC>" … "</UC>" and so on.
enum class CaseFunction {
    Upper,        // "UC"
    Lower,        // "LC"
    FirstCapital, // "1C": first character capital, the rest small; ".txt" becomes ".Txt"
    WordCapitals, // "WC": the first character of every word capital, the rest small
    Swap          // "SC": small letters become capitals and capitals small
};

// Every character is mapped to one character (simple case mapping), so a name keeps its length and
// positions computed before a conversion stay valid after it. A word starts after any character that is
// not a letter or an apostrophe (digits end words too); a combining mark continues the character it
// belongs to.
QString ConvertCase(QStringView text, CaseFunction function);

// A pair of tags: positions (UTF-16 offsets) of the opening tag, of the end of it, of the closing tag and
// of the end of that.
struct TagPair
{
    qsizetype open = 0;
    qsizetype openEnd = 0;
    qsizetype close = 0;
    qsizetype closeEnd = 0;
};

// The first opening tag at or after openFrom and the first closing tag at or after closeFrom (searches for
// "<T>" and "</T>" that ignore case); nothing when either is missing.
std::optional<TagPair> FindTagPair(QStringView text, const TextSearch& openTag, const TextSearch& closeTag,
                                   qsizetype openFrom = 0, qsizetype closeFrom = 0);

// One case pass of the name-structure evaluator. Repeatedly the first opening tag and the first closing
// tag of the function are removed and the text between them converted, so nested and overlapping pairs
// of one function pair up in order (the k-th opening tag with the k-th closing tag) and text enclosed
// several times is converted as often. The pass is worked out in one sweep over the text, not pair by
// pair, so its cost stays linear however many tags a structure holds. When a closing tag comes before
// its opening tag, that pair and all after it are left as they stand.
QString ApplyCaseTags(const QString& text, CaseFunction function);
