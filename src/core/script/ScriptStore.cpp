#include "core/script/ScriptStore.h"

#include "core/AppState.h"
#include "core/script/DialogValues.h"
#include "core/settings/IniDocument.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TextCodec.h"

#include <QDir>

namespace ScriptStore {

namespace {

const QString kMain = QStringLiteral("Main");
const QString kSteps = QStringLiteral("Steps");

} // namespace

bool saveCompacted(FileSystem& fs, const IniDocument& doc, const QString& file)
{
    return fs.writeFileAtomic(file, TextCodec::encode(CompactSettingsText(doc.toText()))).ok();
}

QString scratchPath(const AppState& state)
{
    return state.settingsFolder + QStringLiteral("script.tmp");
}

QString extension()
{
    return QStringLiteral(".vls");
}

QString scriptFolder(const AppState& state)
{
    return state.settingsFolder + QStringLiteral("Script/");
}

void putSection(IniDocument& doc, const QString& section, const DialogValues& values)
{
    const QString marker = QString::fromUtf16(kDeleteMarker);
    for (const QString& key : values.keys()) {
        const QString raw = values.raw(key);
        doc.setValue(section, key, raw.isEmpty() ? marker : raw);
    }
}

int appendStep(FileSystem& fs, const QString& file, int type, const DialogValues& values)
{
    if (file.isEmpty())
        return 0;
    IniDocument doc = IniDocument::load(file);
    // A file that lost its count (edited by hand, or removed while recording) starts again at step 1
    // rather than at a step "0" that no runner would read.
    const int step = std::max(0, doc.value(kMain, kSteps).trimmed().toInt()) + 1;
    const QString section = QString::number(step);
    doc.setValue(section, QStringLiteral("Type"), QString::number(type));
    doc.setValue(kMain, kSteps, section);
    putSection(doc, section, values);
    return saveCompacted(fs, doc, file) ? step : 0;
}

bool startFile(FileSystem& fs, const QString& file)
{
    IniDocument doc;
    doc.setValue(kMain, kSteps, QStringLiteral("0"));
    return doc.save(fs, file).ok();
}

int stepCount(const QString& file)
{
    return ReadSettingInt(kMain, kSteps, file);
}

QString FormatStamp(const QString& fileName)
{
    const QString stamp =
        fileName.endsWith(extension(), Qt::CaseInsensitive) ? fileName.chopped(extension().size()) : fileName;
    const bool digits =
        stamp.size() == 14 && std::all_of(stamp.begin(), stamp.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digits)
        return stamp;
    return stamp.mid(0, 4) + QLatin1Char('-') + stamp.mid(4, 2) + QLatin1Char('-') + stamp.mid(6, 2) +
           QStringLiteral(", ") + stamp.mid(8, 2) + QLatin1Char(':') + stamp.mid(10, 2) + QLatin1Char(':') +
           stamp.mid(12, 2);
}

QList<ScriptEntry> ScriptEntries(const QString& folder)
{
    QList<ScriptEntry> entries;
    const QDir dir(folder);
    const QStringList files =
        dir.entryList({QLatin1Char('*') + extension()}, QDir::Files | QDir::Hidden | QDir::Readable, QDir::Name);
    for (const QString& file : files) {
        const QString name = ReadSetting(kMain, QStringLiteral("Name"), dir.filePath(file));
        const QString stamp = QLatin1Char('[') + FormatStamp(file) + QLatin1Char(']');
        entries.append({file, name, name.isEmpty() ? stamp : name + QLatin1Char(' ') + stamp});
    }
    return entries;
}

} // namespace ScriptStore
