#include "core/settings/SettingsUpdate.h"

#include "core/settings/IniDocument.h"
#include "core/settings/ProgramNames.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TextCodec.h"

#include <QFileInfo>
#include <functional>
#include <optional>

namespace {

const QString kMain = QStringLiteral("Main");
const QString kVersion = QStringLiteral("Version");

// Splits an update entry into exactly `count` fields; the last field keeps any further "|" (a stored
// value such as a filter may hold one). Nothing when the entry has too few fields or an empty name.
std::optional<QStringList> fields(const QString& entry, int count)
{
    QStringList parts = entry.split(QLatin1Char('|'));
    if (parts.size() < count)
        return std::nullopt;
    while (parts.size() > count) {
        const QString last = parts.takeLast();
        parts.last() += QLatin1Char('|') + last;
    }
    for (int i = 0; i < count; ++i) {
        // Section and key names are every field but the value of an [Add] entry.
        const bool isValue = count == 3 && i == 2;
        parts[i] = parts.at(i).trimmed();
        if (!isValue && parts.at(i).isEmpty())
            return std::nullopt;
    }
    return parts;
}

// Runs `rule` for the entries prefix + 1, prefix + 2, … of a section up to the first empty one.
void forEachEntry(const IniDocument& update, const QString& section, const QString& prefix,
                  const std::function<void(const QString&)>& rule)
{
    for (int n = 1;; ++n) {
        const QString entry = SettingText(update.value(section, prefix + QString::number(n)));
        if (entry.isEmpty())
            return;
        rule(entry);
    }
}

bool sameKey(const QStringList& f)
{
    return f.at(0).compare(f.at(2), Qt::CaseInsensitive) == 0 && f.at(1).compare(f.at(3), Qt::CaseInsensitive) == 0;
}

} // namespace

SettingsUpdateResult ApplySettingsUpdate(FileSystem& fs, const QString& programFolder, const QString& settingsFile)
{
    const QString updatePath = programFolder + UpdateFileName();
    if (!QFileInfo(updatePath).isFile())
        return SettingsUpdateResult::NoUpdateFile;

    const IniDocument update = IniDocument::load(updatePath);
    IniDocument settings = IniDocument::load(settingsFile);
    const QString updateVersion = SettingText(update.value(kMain, kVersion));
    if (SettingText(settings.value(kMain, kVersion)) == updateVersion)
        return CompactSettingsFile(fs, settingsFile) ? SettingsUpdateResult::AlreadyCurrent
                                                     : SettingsUpdateResult::WriteFailed;

    const QString marker = QString::fromUtf16(kDeleteMarker);
    auto read = [&settings](const QString& section, const QString& key) {
        return SettingText(settings.value(section, key));
    };

    forEachEntry(update, QStringLiteral("Add"), QStringLiteral("A"), [&](const QString& entry) {
        const auto f = fields(entry, 3);
        if (f && read(f->at(0), f->at(1)).isEmpty())
            settings.setValue(f->at(0), f->at(1), f->at(2));
    });
    forEachEntry(update, QStringLiteral("Copy"), QStringLiteral("C"), [&](const QString& entry) {
        const auto f = fields(entry, 4);
        // Copying a key onto itself would end by deleting it; such an entry is a no-op.
        if (!f || sameKey(*f))
            return;
        const QString value = read(f->at(0), f->at(1));
        if (value.isEmpty())
            return;
        settings.setValue(f->at(2), f->at(3), value);
        settings.setValue(f->at(0), f->at(1), marker);
    });
    forEachEntry(update, QStringLiteral("Del"), QStringLiteral("D"), [&](const QString& entry) {
        if (const auto f = fields(entry, 2))
            settings.setValue(f->at(0), f->at(1), marker);
    });
    settings.setValue(kMain, kVersion, updateVersion);

    // One atomic rewrite for the whole update, compacted on the way: a crash leaves the old or the fully
    // updated file.
    if (!fs.writeFileAtomic(settingsFile, TextCodec::encode(CompactSettingsText(settings.toText()))).ok())
        return SettingsUpdateResult::WriteFailed;
    return SettingsUpdateResult::Applied;
}
