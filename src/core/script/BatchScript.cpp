#include "core/script/BatchScript.h"

#include "core/AppState.h"
#include "core/platform/FileReadProblem.h"
#include "core/rename/RenameSteps.h"
#include "core/script/DialogValues.h"
#include "core/script/ScriptStore.h"
#include "core/settings/TextCodec.h"

#include <QIODevice>
#include <QRegularExpression>
#include <algorithm>
#include <memory>
#include <optional>

namespace {

const QString kMain = QStringLiteral("Main");
const QString kSteps = QStringLiteral("Steps");
const QString kType = QStringLiteral("Type");

std::optional<int> wholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// Whether a stored value has the kind its control stores. The kind shows in the control's name prefix:
// check boxes hold 0, 1 or 2; option buttons a flag; combo boxes and scroll bars a number; list boxes a
// number or ascending indices joined by ","; text boxes and anything else hold any text.
bool fitsControl(const QString& key, const QString& value)
{
    const QString name = key.toLower();
    const auto startsWith = [&name](const char* prefix) { return name.startsWith(QLatin1String(prefix)); };
    if (startsWith("chk")) {
        const std::optional<int> state = wholeNumber(value);
        return state && *state >= 0 && *state <= 2;
    }
    if (startsWith("opt") || startsWith("cmb") || startsWith("vscroll") || startsWith("hscroll"))
        return wholeNumber(value).has_value();
    if (startsWith("lst")) {
        static const QRegularExpression indexList(QStringLiteral("^\\s*-?\\d+\\s*(,\\s*\\d+\\s*)*$"));
        return indexList.match(value).hasMatch();
    }
    return true;
}

} // namespace

QString BatchScript::resolve(const AppState& state, const QString& argument)
{
    const FileSystem& fs = state.fs();
    if (argument.isEmpty())
        return {};
    if (fs.fileExists(argument))
        return argument;
    if (argument.contains(QLatin1Char('/')))
        return {};
    const QString inFolder = ScriptStore::scriptFolder(state) + argument;
    if (fs.fileExists(inFolder))
        return inFolder;
    const QString extension = ScriptStore::extension();
    if (!argument.endsWith(extension, Qt::CaseInsensitive) && fs.fileExists(inFolder + extension))
        return inFolder + extension;
    const QList<ScriptStore::ScriptEntry> entries = ScriptStore::ScriptEntries(ScriptStore::scriptFolder(state));
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) {
        if (entry->name == argument || entry->text == argument)
            return ScriptStore::scriptFolder(state) + entry->fileName;
    }
    return {};
}

bool BatchScript::fail(const char* key, const QStringList& args)
{
    m_problem = {QLatin1String(key), args};
    // Nothing of a script that cannot run is run.
    m_steps.clear();
    return false;
}

bool BatchScript::load(const AppState& state, const QString& argument, Use use)
{
    m_steps.clear();
    m_problem = {};
    m_path = resolve(state, argument);
    if (m_path.isEmpty()) {
        // A name mistyped is the likely case: the names that would have worked help more than a bare no.
        QString listed;
        for (const ScriptStore::ScriptEntry& entry : ScriptStore::ScriptEntries(ScriptStore::scriptFolder(state)))
            listed += QStringLiteral("\n  ") + entry.text;
        return listed.isEmpty() ? fail("ScriptNotFound", {argument}) : fail("ScriptNotFoundListed", {argument, listed});
    }
    // Only a regular file: a pipe or a device named by mistake must neither stall nor flood the run.
    const FileRead file = state.fs().readFile(m_path);
    if (!file.ok())
        return fail("ScriptUnreadable", {m_path, FileReadProblemText(state, file.result)});
    m_doc = IniDocument::fromText(TextCodec::decode(file.bytes));

    const QString steps = m_doc.value(kMain, kSteps);
    if (steps.trimmed().isEmpty())
        return fail("ScriptNoSteps", {m_path});
    const std::optional<int> count = wholeNumber(steps);
    if (!count || *count < 0)
        return fail("ScriptBadSteps", {m_path, steps});
    if (use == Use::Window)
        return checkWindowSteps(*count);
    // A count far beyond the sections fails at the first missing one, so a huge number costs nothing.
    for (int step = 1; step <= *count; ++step) {
        if (!checkStep(step))
            return false;
    }
    return true;
}

bool BatchScript::checkStep(int step)
{
    const QString section = QString::number(step);
    if (!m_doc.hasSection(section))
        return fail("ScriptStepMissing", {m_path, section, m_doc.value(kMain, kSteps).trimmed()});
    const QString typeText = m_doc.value(section, kType);
    if (typeText.trimmed().isEmpty())
        return fail("ScriptNoType", {m_path, section});
    const std::optional<int> type = wholeNumber(typeText);
    if (!type)
        return fail("ScriptBadType", {m_path, section, typeText});
    if (RenameSteps::formName(*type).isEmpty())
        return fail("ScriptUnknownType", {m_path, section, QString::number(*type)});
    if (!RenameSteps::available(*type))
        return fail("ScriptStepUnavailable", {m_path, section, QString::number(*type), RenameSteps::formName(*type)});

    const DialogValues stored = DialogValues::fromSection(m_doc, section);
    const QList<QString> keys = m_doc.keys(section);
    for (const QString& key : keys) {
        const QString value = stored.raw(key);
        if (key.compare(kType, Qt::CaseInsensitive) != 0 && !value.isEmpty() && !fitsControl(key, value))
            return fail("ScriptBadValue", {m_path, section, key, value});
    }
    if (const QString key = RenameSteps::refusedKey(*type, stored); !key.isEmpty())
        return fail("ScriptBadValue", {m_path, section, key, stored.text(key)});
    m_steps.append({step, *type});
    return true;
}

bool BatchScript::checkWindowSteps(int count)
{
    // Only the sections the file holds are visited, so a huge count costs nothing.
    QList<int> numbers;
    for (const QString& section : m_doc.sections()) {
        const std::optional<int> number = wholeNumber(section);
        if (number && *number >= 1 && *number <= count && !numbers.contains(*number))
            numbers.append(*number);
    }
    std::sort(numbers.begin(), numbers.end());
    // A count beyond the last step the file holds is no recording's: it was damaged or never was a script.
    const int last = numbers.isEmpty() ? 0 : numbers.last();
    if (count > last)
        return fail("ScriptStepMissing", {m_path, QString::number(last + 1), QString::number(count)});
    for (const int step : numbers) {
        const QString section = QString::number(step);
        const QString typeText = m_doc.value(section, kType);
        if (typeText.trimmed().isEmpty())
            continue;
        const std::optional<int> type = wholeNumber(typeText);
        if (!type)
            return fail("ScriptBadType", {m_path, section, typeText});
        if (*type < 1)
            return fail("ScriptUnknownType", {m_path, section, QString::number(*type)});
        m_steps.append({step, *type});
    }
    return true;
}

DialogValues BatchScript::values(int step) const
{
    return DialogValues::fromSection(m_doc, QString::number(step));
}
