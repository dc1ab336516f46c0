#pragma once

#include <QStringView>
#include <string>
#include <string_view>
#include <vector>

// The natural sort keys of many texts, built into one buffer: plain byte order of two keys is the order
// that sorting shows ("disc 9" before "Disc 10"). Letter case is ignored (Unicode simple case folding),
// other characters go by their code points. A run of the digits 0 to 9 is written as "0", its count of
// significant digits in two bytes, then those digits, so it orders where a number padded with zeros would:
// shorter numbers first, then digit by digit; "007" and "7" are equal. Building costs no allocation per key.
class NaturalKeys
{
public:
    void reserve(size_t count, size_t bytes);
    void append(QStringView text);

    size_t size() const { return m_ends.size(); }
    std::string_view at(size_t i) const
    {
        const size_t begin = i == 0 ? 0 : m_ends[i - 1];
        return std::string_view(m_bytes).substr(begin, m_ends[i] - begin);
    }
    // The first eight bytes of key i as one number, zero-padded: heads in number order are keys in byte
    // order, and only equal heads need the rest of the keys.
    quint64 head(size_t i) const;

    static int compare(std::string_view a, std::string_view b) { return a.compare(b); }

private:
    std::string m_bytes;
    std::vector<size_t> m_ends;
};
