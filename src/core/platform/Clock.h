#pragma once

#include <QDateTime>

// Where "now" comes from: protocol stamps, script file names and date previews ask the clock, so tests
// can fix the moment.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};
