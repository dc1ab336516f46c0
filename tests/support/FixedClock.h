#pragma once

#include "platform/Clock.h"

// A clock that says what the test wants it to; it can tick by a second per call so stamps differ.
class FixedClock : public Clock
{
public:
    explicit FixedClock(const QDateTime& now = QDateTime(QDate(2024, 1, 31), QTime(15, 30, 45)))
        : m_now(now)
    {}
    QDateTime now() const override
    {
        const QDateTime result = m_now;
        if (m_tick)
            m_now = m_now.addSecs(1);
        return result;
    }
    void set(const QDateTime& now) { m_now = now; }
    void setTicking(bool tick) { m_tick = tick; }

private:
    mutable QDateTime m_now;
    bool m_tick = false;
};
