#pragma once

#include <QString>

class FileSystem;

// What the structure editor checks before it keeps or applies a structure. The evaluator takes any text
// (a mistake shows as a marker in the name); this check catches the mistakes that would otherwise go
// unnoticed as literal text or as a case pair that converts the wrong part.
struct StructureCheck
{
    enum class Problem {
        None,
        Misplaced,   // a "<" inside a tag or a ">" outside one, at position
        Unclosed,    // the text ends inside a tag; fragment is the text from its "<" on
        UnpairedCase // the "<UC>"/"</UC>" or "<LC>"/"</LC>" tags do not form pairs one after another
    };

    Problem problem = Problem::None;
    qsizetype index = -1;   // Misplaced: where the character is (UTF-16 offset)
    qsizetype position = 0; // Misplaced: the same as the user counts characters, from 1
    QString fragment;       // Unclosed
    QString openTag;        // UnpairedCase: "<UC>" or "<LC>"
    QString closeTag;       // UnpairedCase: "</UC>" or "</LC>"

    bool ok() const { return problem == Problem::None; }
};

// Tags must not nest or stay open, and the upper- and lower-case pairs must each follow one another
// (opening before closing, the next opening after the last closing). Other case pairs may nest: only these
// two are checked, since an "<LC>" pair always wins over an overlapping "<UC>" pair.
StructureCheck CheckStructure(const QString& structure);

// Whether the structure language understands a list entry: the text holds a placeholder and evaluates to
// a name without "<" or ">" (an unknown placeholder or a wrong argument would stay in it). A "find(" call counts inside
// the arguments of "<NAME_L(", where it belongs.
bool StructureUnderstands(const QString& text, const FileSystem& fs);
