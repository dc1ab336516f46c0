#pragma once

#include <QString>
#include <optional>

// A position, count or shift as typed into a number field: a whole number from minimum to maximum, blanks
// around it ignored. Nothing for any other text, so a typo is refused instead of being read as 0 or
// quietly pulled into the range.
std::optional<int> FieldNumber(const QString& text, int minimum, int maximum);

// The longest name a position can point into: a name has at most 32767 characters.
inline constexpr int kMaxNamePosition = 32767;
