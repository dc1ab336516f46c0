#pragma once

#include <QString>
#include <QStringView>

// Text that a name structure takes from a folder name (its base, extension, parent, disk name) must stay
// literal: a folder may be called "x<EXT>y" or "a<UC>b" on Linux, and a later pass must not read that as
// a tag. While a structure is evaluated, such text carries its "<" and ">" as private-use stand-ins,
// which no tag search matches and case conversion leaves alone; release turns them back at the end.
// Stand-ins already in the structure or the name are escaped, so every text comes back unchanged.
namespace LiteralText {

// A value taken from a name, made inert for every later tag search.
QString protect(QStringView text);
// The structure itself: its tags stay live, only stand-in characters it holds are escaped.
QString escapeStandIns(QStringView structure);
// The evaluated text with every stand-in turned back into the character it stands for.
QString release(QStringView text);

} // namespace LiteralText
