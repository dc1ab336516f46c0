#pragma once

#include "platform/Clock.h"

// A clock that says what the test wants it to.
class FixedClock : public Clock
{
public:
    explicit FixedClock(const QDateTime& now = QDateTime(QDate(2024, 1, 31), QTime(15, 30, 45)))
        : m_now(now)
    {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& now) { m_now = now; }

private:
    QDateTime m_now;
};
