#pragma once

#include "core/platform/SharedText.h"

#include <QHash>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <algorithm>
#include <optional>
#include <vector>

// An open table of item numbers: the items stand elsewhere (rows of a list, names in one text), so the
// table holds eight bytes a slot, the number and the item's hash, and the caller hashes and compares. A
// million items take sixteen or thirty-two megabytes, against forty and more in a hash of strings or paths.
// The hash kept beside the number spares nearly every look at an item that is not the one looked for,
// which stands somewhere else in memory, and lets the table grow without hashing the items again. Never
// more than half full, so a look ends soon on a free slot.
//
// hash is what the caller's hash gives for the item looked for; matches(number) tells whether a held item
// with the same hash is it.
class NumberTable
{
public:
    // A hash of a text for the table, with the process's random seed as QHash uses it, so that no set of
    // names can be made to pile up in one run of slots.
    static size_t hashOf(QStringView text) { return qHash(text, QHashSeed::globalSeed()); }
    // Two texts hash as the second seeded with the hash of the first: rows of one folder share their
    // parent path, which the caller then hashes once for all of them.
    static size_t hashOf(QStringView a, QStringView b) { return hashAfter(hashOf(a), b); }
    static size_t hashAfter(size_t first, QStringView b) { return qHash(b, first); }

    // hashOf(first, second) for pairs whose first text mostly repeats from one to the next, as the parent
    // paths of rows in one folder do: a first text that is the last one's, shared, is not hashed again.
    class PairHash
    {
    public:
        size_t operator()(const QString& first, QStringView second)
        {
            if (!IsSharedText(first, m_first)) {
                m_first = first; // held, so that its memory cannot pass to another text meanwhile
                m_firstHash = hashOf(m_first);
            }
            return hashAfter(m_firstHash, second);
        }

    private:
        QString m_first;
        size_t m_firstHash = 0;
    };

    void reserve(size_t count)
    {
        size_t slots = 16;
        while (slots < count * 2)
            slots *= 2;
        if (slots > m_slots.size())
            rehash(slots);
    }

    // Asks the processor for the slot where a look for hash starts. Looks for many items at once go
    // faster when every slot is asked for first: in a big table each one is far from the last.
    void prefetch(size_t hash) const
    {
        if (!m_slots.empty())
            __builtin_prefetch(&m_slots[static_cast<quint32>(hash) & (m_slots.size() - 1)]);
    }

    // The number of the held item that matches, if any.
    template <typename Matches> std::optional<quint32> find(size_t hash, Matches matches) const
    {
        if (m_slots.empty())
            return std::nullopt;
        const quint32 held = m_slots[slotFor(hash, matches)].held;
        return held == 0 ? std::nullopt : std::optional<quint32>(held - 1);
    }

    // Adds number, unless an item that matches is held: then that one's number, and nothing is added.
    template <typename Matches> std::optional<quint32> add(quint32 number, size_t hash, Matches matches)
    {
        if ((m_count + 1) * 2 > m_slots.size())
            rehash(std::max<size_t>(16, m_slots.size() * 2));
        Slot& slot = m_slots[slotFor(hash, matches)];
        if (slot.held != 0)
            return slot.held - 1;
        slot = {number + 1, static_cast<quint32>(hash)};
        ++m_count;
        return std::nullopt;
    }

    // Adds number, or puts it in the place of the held item that matches.
    template <typename Matches> void put(quint32 number, size_t hash, Matches matches)
    {
        if ((m_count + 1) * 2 > m_slots.size())
            rehash(std::max<size_t>(16, m_slots.size() * 2));
        Slot& slot = m_slots[slotFor(hash, matches)];
        if (slot.held == 0)
            ++m_count;
        slot = {number + 1, static_cast<quint32>(hash)};
    }

    // Takes out the held item that matches, looked for from hash; the items after it close the gap.
    template <typename Matches> void remove(size_t hash, Matches matches)
    {
        if (m_slots.empty())
            return;
        const size_t mask = m_slots.size() - 1;
        size_t hole = slotFor(hash, matches);
        if (m_slots[hole].held == 0)
            return;
        m_slots[hole] = {};
        --m_count;
        for (size_t next = (hole + 1) & mask; m_slots[next].held != 0; next = (next + 1) & mask) {
            // An item stays where a look that starts at its home slot still reaches it without the hole.
            const size_t home = m_slots[next].hash & mask;
            const bool reached = hole < next ? hole < home && home <= next : hole < home || home <= next;
            if (reached)
                continue;
            m_slots[hole] = m_slots[next];
            m_slots[next] = {};
            hole = next;
        }
    }

    // Every held number becomes renumbered(number); the items stay where they are.
    template <typename Renumbered> void renumber(Renumbered renumbered)
    {
        for (Slot& slot : m_slots) {
            if (slot.held != 0)
                slot.held = static_cast<quint32>(renumbered(slot.held - 1)) + 1;
        }
    }

    size_t size() const { return m_count; }

private:
    struct Slot
    {
        quint32 held = 0; // 0 for a free slot, else 1 + an item's number
        quint32 hash = 0; // the low half of the item's hash, enough for any table's home slot
    };

    // Where the item stands, or the free slot where it would go.
    template <typename Matches> size_t slotFor(size_t hash, Matches matches) const
    {
        const size_t mask = m_slots.size() - 1;
        const auto tag = static_cast<quint32>(hash);
        for (size_t slot = tag & mask;; slot = (slot + 1) & mask) {
            const Slot& at = m_slots[slot];
            if (at.held == 0 || (at.hash == tag && matches(at.held - 1)))
                return slot;
        }
    }

    void rehash(size_t size)
    {
        std::vector<Slot> old(size);
        m_slots.swap(old);
        const size_t mask = size - 1;
        for (const Slot& held : old) {
            if (held.held == 0)
                continue;
            size_t slot = held.hash & mask;
            while (m_slots[slot].held != 0)
                slot = (slot + 1) & mask;
            m_slots[slot] = held;
        }
    }

    std::vector<Slot> m_slots;
    size_t m_count = 0;
};
