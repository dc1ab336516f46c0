#pragma once

#include <QString>

// Markers that a name structure leaves in the proposed name where it went wrong. They hold "<" and ">",
// so the structure editor's check notices them, and the user sees where the structure needs mending.
namespace StructureMarkers {

inline QString error()
{
    return QStringLiteral("<ERROR>");
}
inline QString noNumber()
{
    return QStringLiteral("<No_Number>");
}
inline QString checkDateTime()
{
    return QStringLiteral("<Check_DT>");
}

} // namespace StructureMarkers
