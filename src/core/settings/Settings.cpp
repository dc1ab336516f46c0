#include "core/settings/Settings.h"

#include "core/platform/FileSystem.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TextCodec.h"

#include <QIODevice>
#include <array>

namespace {

enum class Type { Text, Number, Flag };

struct KeyInfo
{
    Settings::Key key;
    const char* section;
    const char* name;
    Type type;
    int defaultNumber; // for numbers and flags (1 on, 0 off); texts default to empty
};

using K = Settings::Key;

// Every fixed key of the settings file, once.
constexpr std::array kKeys = {
    KeyInfo{K::LastPath, "Settings", "lastpath", Type::Text, 0},
    KeyInfo{K::Language, "Settings", "lng", Type::Text, 0},
    KeyInfo{K::Letters, "Settings", "letters", Type::Text, 0},
    KeyInfo{K::SaveDialogSettings, "Settings", "savset", Type::Flag, 0},
    KeyInfo{K::ProtocolRenames, "Settings", "protren", Type::Flag, 0},
    KeyInfo{K::ConfirmUndo, "Settings", "secquest1", Type::Flag, 0},
    KeyInfo{K::ConfirmTake, "Settings", "secquest2", Type::Flag, 0},
    KeyInfo{K::ConfirmReject, "Settings", "secquest3", Type::Flag, 0},
    KeyInfo{K::ExpertMode, "Settings", "ExpertMode", Type::Flag, 0},
    KeyInfo{K::ButtonBarMain, "Settings", "btnbarMain", Type::Flag, 0},
    KeyInfo{K::ButtonBarScript, "Settings", "btnbarScript", Type::Flag, 0},
    KeyInfo{K::PreviewSortKey, "Settings", "PreviewSortKey", Type::Number, -1},
    KeyInfo{K::PreviewSortOrder, "Settings", "PreviewSortOrder", Type::Number, -1},
    KeyInfo{K::OpenChecks, "frmOpen", "chkOpen", Type::Number, -1},
    KeyInfo{K::WindowState, "Main", "ws", Type::Number, -1},
    KeyInfo{K::WindowLeft, "Main", "x", Type::Number, -1},
    KeyInfo{K::WindowTop, "Main", "y", Type::Number, -1},
    KeyInfo{K::WindowWidth, "Main", "w", Type::Number, -1},
    KeyInfo{K::WindowHeight, "Main", "h", Type::Number, -1},
    KeyInfo{K::Column1, "Main", "Col1", Type::Number, -1},
    KeyInfo{K::Column2, "Main", "Col2", Type::Number, -1},
    KeyInfo{K::Column3, "Main", "Col3", Type::Number, -1},
    KeyInfo{K::Column4, "Main", "Col4", Type::Number, -1},
    KeyInfo{K::Column5, "Main", "Col5", Type::Number, -1},
    KeyInfo{K::Column6, "Main", "Col6", Type::Number, -1},
    KeyInfo{K::Column7, "Main", "Col7", Type::Number, -1},
    KeyInfo{K::AssistantVisible, "Assistant", "Visible", Type::Flag, 1},
    KeyInfo{K::BackColor, "Dialogs", "BackColor", Type::Number, Settings::kDefaultBackColor},
    KeyInfo{K::ForeColor, "Dialogs", "ForeColor", Type::Number, Settings::kDefaultForeColor},
    KeyInfo{K::AssistantLeft, "Assistant", "Left", Type::Number, -1},
    KeyInfo{K::AssistantTop, "Assistant", "Top", Type::Number, -1},
};

constexpr bool inEnumerationOrder()
{
    for (size_t i = 0; i < kKeys.size(); ++i) {
        if (kKeys[i].key != static_cast<Settings::Key>(i))
            return false;
    }
    return true;
}
static_assert(inEnumerationOrder(), "the key table lists every key in the order of Settings::Key");

const KeyInfo& info(Settings::Key key)
{
    return kKeys.at(static_cast<size_t>(key));
}

QString sectionOf(const KeyInfo& k)
{
    return QLatin1String(k.section);
}

QString nameOf(const KeyInfo& k)
{
    return QLatin1String(k.name);
}

} // namespace

Settings::Key Settings::column(int n)
{
    return static_cast<Key>(static_cast<int>(Key::Column1) + qBound(1, n, 7) - 1);
}

Settings Settings::load(const FileSystem& fs, const QString& path)
{
    Settings settings;
    settings.m_path = path;
    if (!fs.fileExists(path))
        return settings;
    const FileRead file = fs.readFile(path);
    if (!file.ok()) {
        settings.m_unreadable = true;
        return settings;
    }
    const QByteArray& bytes = file.bytes;
    if (bytes.contains('\0') || !IniDocument::fromText(TextCodec::decode(bytes)).hasAnySection()) {
        settings.m_unreadable = true;
        return settings;
    }
    const QString text = TextCodec::decode(bytes);
    const QString compacted = CompactSettingsText(text);
    settings.m_hadDeletedKeys = compacted != text;
    settings.m_doc = IniDocument::fromText(compacted);
    return settings;
}

QString Settings::text(Key key) const
{
    const KeyInfo& k = info(key);
    const QString value = SettingText(m_doc.value(sectionOf(k), nameOf(k)));
    if (value.isEmpty() && k.type != Type::Text)
        return QString::number(k.defaultNumber);
    return value;
}

int Settings::number(Key key) const
{
    const KeyInfo& k = info(key);
    const QString value = SettingText(m_doc.value(sectionOf(k), nameOf(k)));
    return value.isEmpty() ? k.defaultNumber : SettingNumber(value);
}

bool Settings::flag(Key key) const
{
    return FlagFromInt(number(key), info(key).defaultNumber == 1);
}

void Settings::setText(Key key, const QString& value)
{
    const KeyInfo& k = info(key);
    m_doc.setValue(sectionOf(k), nameOf(k), value);
}

void Settings::setNumber(Key key, int value)
{
    setText(key, QString::number(value));
}

void Settings::setFlag(Key key, bool on)
{
    setNumber(key, IntFromFlag(on));
}

Settings::SaveResult Settings::save(FileSystem& fs)
{
    if (m_path.isEmpty())
        return SaveResult::NoFile;
    // Writing over a file that could not be read would lose every key but the ones set since.
    if (m_unreadable)
        return SaveResult::Unreadable;
    const QString text = CompactSettingsText(m_doc.toText());
    if (!fs.writeFileAtomic(m_path, TextCodec::encode(text)).ok())
        return SaveResult::WriteFailed;
    m_doc = IniDocument::fromText(text);
    return SaveResult::Saved;
}
