#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The numbers the names of a list already carry, at their beginning or at their end, and what renumbering
// them gives. Built from the current new names of every entry, whatever the apply-to choice: one record
// per entry, its base split into lead digits, middle text and trail digits (a base of digits only has them
// as lead and trail, and no middle).
class RenumberPlan
{
public:
    enum class Position { Start, End };

    struct Record
    {
        QString base;
        QString ext; // with its dot
        QString lead;
        QString trail;
        QString middle;
    };

    // What a position proposes: the first number (without leading zeros), whether the width should follow
    // the numbers (a first number written with leading zeros), the increment, and the middle every numbered
    // name shares (empty when they differ).
    struct Proposal
    {
        QString first;
        bool autoWidth = true;
        QString increment;
        bool commonMiddle = false;
        QString middle;
    };

    // How the numbered rows get their new numbers.
    struct Numbering
    {
        qint64 first = 1;
        qint64 increment = 1;
        int width = 0; // 0: as wide as the last number
        bool atStart = true;
        bool replaceMiddle = false;
        QString middle;
    };

    explicit RenumberPlan(const QStringList& names);

    const QList<Record>& records() const { return m_records; }
    // The positions worth offering, start first: those where at least two names and at least half of them
    // (a half rounded to the even neighbour) carry a number.
    QList<Position> positions() const;

    // The rows in numbering order (ascending by the number at that position, equal numbers in list order)
    // and the rows without a number there, in the same order.
    struct Order
    {
        QList<int> numbered;
        QList<int> unnumbered;
    };
    Order orderFor(Position position) const;
    Proposal proposalFor(Position position, const QList<int>& numbered) const;

    // The new name of every row: the numbered rows, in the order given, get the numbers of the sequence in
    // place of both their numbers; every other row keeps its name.
    QStringList renumbered(const QList<int>& numbered, const Numbering& numbering) const;

    // The i-th number (0-based) of a sequence of count numbers, zero-padded to width or, with width 0, to
    // the length of the last one.
    static QString numberText(const Numbering& numbering, int i, int count);

private:
    const QString& digitsAt(int row, Position position) const;

    QList<Record> m_records;
};
