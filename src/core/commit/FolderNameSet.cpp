#include "core/commit/FolderNameSet.h"

#include "core/preview/LookAhead.h"

#include <QHash>

#include <limits>

QStringView FolderNameSet::nameAt(size_t number) const
{
    return QStringView(m_text).sliced(m_starts[number], m_starts[number + 1] - m_starts[number]);
}

std::optional<quint32> FolderNameSet::find(QStringView name, size_t hash) const
{
    const auto matches = [&](quint32 number) { return nameAt(number) == name; };
    if (m_table.size() > 0) {
        if (const std::optional<quint32> number = m_table.find(hash, matches))
            return number;
    }
    for (quint32 number = m_indexed; number + 1 < m_starts.size(); ++number) {
        if (matches(number))
            return number;
    }
    return std::nullopt;
}

bool FolderNameSet::add(QStringView name)
{
    index();
    if (find(name, m_table.size() > 0 ? NumberTable::hashOf(name) : 0))
        return false;
    if (!append(name))
        return false;
    index();
    return true;
}

bool FolderNameSet::addNew(QStringView name)
{
    return append(name);
}

bool FolderNameSet::append(QStringView name)
{
    const size_t count = m_starts.size() - 1;
    if (m_text.size() + name.size() > std::numeric_limits<quint32>::max() || count + 1 >= (1u << 31))
        return false; // far beyond any folder
    m_text.append(name);
    m_starts.push_back(static_cast<quint32>(m_text.size()));
    return true;
}

void FolderNameSet::index()
{
    const auto count = static_cast<size_t>(size());
    if (count <= kWithoutTable || m_indexed == count)
        return;
    m_table.reserve(count);
    // The names differ: none is compared.
    const auto never = [](quint32) { return false; };
    LookAhead hashOf(count, [this](size_t number) {
        const size_t hash = NumberTable::hashOf(nameAt(number));
        m_table.prefetch(hash);
        return hash;
    });
    for (size_t number = m_indexed; number < count; ++number)
        m_table.put(static_cast<quint32>(number), hashOf(number), never);
    m_indexed = static_cast<quint32>(count);
}

std::optional<quint32> FolderNameSet::numberOf(QStringView name, size_t hash) const
{
    if (m_table.size() == 0)
        return find(name, 0);
    return find(name, hash != 0 ? hash : NumberTable::hashOf(name));
}

std::optional<quint32> FolderNameSet::numberGuessed(QStringView name, quint32 guess, size_t hash) const
{
    if (guess < static_cast<size_t>(size()) && nameAt(guess) == name)
        return guess;
    return numberOf(name, hash);
}

void FolderNameSet::squeeze()
{
    index();
    m_text.squeeze();
    m_starts.shrink_to_fit();
}
