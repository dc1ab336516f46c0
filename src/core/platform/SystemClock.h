#pragma once

#include "core/platform/Clock.h"

// The clock of the running program: local time of the machine.
class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
