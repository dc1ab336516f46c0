#pragma once

#include "platform/Clock.h"

// A clock that always says 2024-01-31 15:30:45.
class FixedClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2024, 1, 31), QTime(15, 30, 45)); }
};
