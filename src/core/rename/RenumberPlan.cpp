#include "core/rename/RenumberPlan.h"

#include "core/rename/NameParts.h"

#include <algorithm>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Half of n, a half rounded to the even neighbour (5 needs 2, 7 needs 4).
int halfRoundedEven(int n)
{
    const int half = n / 2;
    return n % 2 == 0 || half % 2 == 0 ? half : half + 1;
}

QStringView withoutLeadingZeros(QStringView digits)
{
    qsizetype zeros = 0;
    while (zeros + 1 < digits.size() && digits[zeros] == QLatin1Char('0'))
        ++zeros;
    return digits.sliced(zeros);
}

// Numeric order of digit runs of any length: shorter (without leading zeros) is smaller, then by text.
bool numberLess(const QString& a, const QString& b)
{
    const QStringView x = withoutLeadingZeros(a);
    const QStringView y = withoutLeadingZeros(b);
    if (x.size() != y.size())
        return x.size() < y.size();
    return x.compare(y) < 0;
}

} // namespace

RenumberPlan::RenumberPlan(const QStringList& names)
{
    m_records.reserve(names.size());
    for (const QString& name : names) {
        Record r;
        const FolderNameParts parts = SplitFolderName(name);
        r.base = parts.base;
        r.ext = parts.ext;
        qsizetype lead = 0;
        while (lead < r.base.size() && isDigit(r.base[lead]))
            ++lead;
        r.lead = r.base.left(lead);
        if (lead == r.base.size()) {
            r.trail = r.lead;
        } else {
            qsizetype start = r.base.size();
            while (start > lead && isDigit(r.base[start - 1]))
                --start;
            r.trail = r.base.mid(start);
            r.middle = r.base.mid(lead, start - lead);
        }
        m_records.append(std::move(r));
    }
}

const QString& RenumberPlan::digitsAt(int row, Position position) const
{
    const Record& r = m_records.at(row);
    return position == Position::Start ? r.lead : r.trail;
}

QList<RenumberPlan::Position> RenumberPlan::positions() const
{
    const int needed = std::max(2, halfRoundedEven(static_cast<int>(m_records.size())));
    QList<Position> out;
    for (const Position position : {Position::Start, Position::End}) {
        int numbered = 0;
        for (int row = 0; row < m_records.size(); ++row)
            numbered += digitsAt(row, position).isEmpty() ? 0 : 1;
        if (numbered >= needed)
            out.append(position);
    }
    return out;
}

RenumberPlan::Order RenumberPlan::orderFor(Position position) const
{
    QList<int> rows(m_records.size());
    for (int row = 0; row < rows.size(); ++row)
        rows[row] = row;
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const QString& x = digitsAt(a, position);
        const QString& y = digitsAt(b, position);
        if (x.isEmpty() || y.isEmpty())
            return x.isEmpty() && !y.isEmpty();
        return numberLess(x, y);
    });
    Order order;
    for (const int row : rows)
        (digitsAt(row, position).isEmpty() ? order.unnumbered : order.numbered).append(row);
    return order;
}

RenumberPlan::Proposal RenumberPlan::proposalFor(Position position, const QList<int>& numbered) const
{
    Proposal p;
    if (numbered.isEmpty())
        return p;
    const QString& first = digitsAt(numbered.first(), position);
    p.first = withoutLeadingZeros(first).toString();
    p.autoWidth = true;
    // The step between the last two numbers; a step of 0 (two equal numbers) would give every folder the
    // same number, so 1 then.
    qint64 step = 1;
    if (numbered.size() >= 2) {
        const qint64 last = digitsAt(numbered.last(), position).toLongLong();
        const qint64 before = digitsAt(numbered.at(numbered.size() - 2), position).toLongLong();
        if (last != before)
            step = last - before;
    }
    p.increment = QString::number(step);
    p.commonMiddle = true;
    p.middle = m_records.at(numbered.first()).middle;
    for (const int row : numbered) {
        if (m_records.at(row).middle != p.middle) {
            p.commonMiddle = false;
            p.middle.clear();
            break;
        }
    }
    return p;
}

QString RenumberPlan::numberText(const Numbering& numbering, int i, int count)
{
    const qint64 value = numbering.first + static_cast<qint64>(i) * numbering.increment;
    int width = numbering.width;
    if (width <= 0)
        width = static_cast<int>(
            QString::number(numbering.first + static_cast<qint64>(std::max(count - 1, 0)) * numbering.increment)
                .size());
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

QStringList RenumberPlan::renumbered(const QList<int>& numbered, const Numbering& numbering) const
{
    QStringList names;
    names.reserve(m_records.size());
    for (const Record& r : m_records)
        names.append(r.base + r.ext);
    const int count = static_cast<int>(numbered.size());
    for (int i = 0; i < count; ++i) {
        const int row = numbered.at(i);
        if (row < 0 || row >= m_records.size())
            continue;
        const Record& r = m_records.at(row);
        const QString middle = numbering.replaceMiddle ? numbering.middle : r.middle;
        const QString number = numberText(numbering, i, count);
        names[row] = (numbering.atStart ? number + middle : middle + number) + r.ext;
    }
    return names;
}
