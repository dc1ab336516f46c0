#pragma once

#include "core/settings/IniDocument.h"
#include "core/settings/Paths.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"
#include "support/TestTree.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStringList>
#include <gtest/gtest.h>
#include <utility>

namespace CommitTestSupport {

// A preview row for a folder of a test tree, as loading and one rename function would leave it: the old
// name in the history below the proposal when there is one.
inline FolderEntry entryFor(const TestTree& tree, const QString& relative, const QString& newName = QString())
{
    const QFileInfo info(tree.path(relative));
    FolderEntry e = MakeEntry(EnsureTrailingSeparator(info.path()), info.fileName(), newName);
    if (e.isChanged()) {
        e.history.set(1, e.oldName);
        e.history.set(0, e.newName);
    }
    return e;
}

// Every folder below the root (hidden ones too, so a stranded temporary name shows), each with the
// marker file that says which folder it was at the start: "P/b=a" is the folder that started as "a".
inline QStringList snapshot(const TestTree& tree)
{
    QStringList folders;
    QDirIterator it(tree.root(), QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QStringList ids = QDir(path).entryList({QStringLiteral("@*")}, QDir::Files);
        folders.append(path.mid(tree.root().size() + 1) + QLatin1Char('=') + ids.value(0).mid(1));
    }
    folders.sort();
    return folders;
}

// A tree of folders, each holding its marker.
inline void build(TestTree& tree, const QStringList& folders)
{
    for (const QString& folder : folders)
        tree.add(folder + QStringLiteral("/@") + folder.section(QLatin1Char('/'), -1));
}

// Message texts that do not depend on the wording of the language files: the tests check which message
// a failure gets and what is filled into it. Everything else comes from the English language file.
inline void useTestMessages(TestApp& app)
{
    IniDocument doc = IniDocument::load(app.state().programFolder + QStringLiteral("English.lng"));
    const std::pair<const char*, const char*> texts[] = {{"MsgText36", "missing %1 -> %2"},
                                                         {"MsgText05", "exists %1 -> %2"},
                                                         {"MsgText11", "access %1 -> %2"},
                                                         {"MsgText06", "failed %1 -> %2"},
                                                         {"MsgText07", "undo?"},
                                                         {"MsgText04", "reject?"},
                                                         {"MsgCap04", "Reject"},
                                                         {"MsgStat03", "renamed"},
                                                         {"msgCapAttention", "Attention"},
                                                         {"MsgText18", "undo history?%1sure"},
                                                         {"MsgText19", "delete history?%1sure"},
                                                         {"msgProtocolFailed", "protocol %1"}};
    for (const auto& [key, text] : texts)
        doc.setValue(QStringLiteral("Messages"), QString::fromLatin1(key), QString::fromLatin1(text));
    const QString path = app.settingsPath(QStringLiteral("Test.lng"));
    ASSERT_TRUE(doc.save(app.state().fs(), path).ok());
    ASSERT_TRUE(app.state().language.load(path));
    app.state().statusTexts[2] = app.state().message(QStringLiteral("MsgStat03"));
}

} // namespace CommitTestSupport
