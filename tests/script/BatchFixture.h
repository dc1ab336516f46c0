#pragma once

#include "platform/FileNames.h"
#include "script/BatchOptions.h"
#include "script/BatchRun.h"
#include "script/ScriptStore.h"
#include "settings/TextCodec.h"
#include "support/TestApp.h"
#include "support/TestTree.h"

#include <QBuffer>
#include <QDir>
#include <gtest/gtest.h>

// Runs the batch mode in the test process on a TestApp's state: the settings folder is a temporary one,
// the clock is fixed, and what the run prints is kept.
class BatchFixture : public ::testing::Test
{
protected:
    struct Result
    {
        int status = -1;
        QString out;
        QString err;
    };

    Result batch(const QStringList& arguments)
    {
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        BatchRun run(app.state(), out, err);
        const int status = run.run(ParseBatchArguments(arguments));
        return {status, FileNames::decode(out.data()), FileNames::decode(err.data())};
    }

    // One printed change, for the folder at a relative path of the tree.
    QString change(const QString& relative, const QString& newName) const
    {
        const QString parent = QFileInfo(tree.path(relative)).path() + QLatin1Char('/');
        return BatchRun::changeLine(parent, QFileInfo(tree.path(relative)).fileName(), newName) + QLatin1Char('\n');
    }

    // A script file in the settings folder's "Script" folder; returns its path.
    QString saveScript(const QString& fileName, const QString& text)
    {
        return saveScriptBytes(fileName, TextCodec::encode(text));
    }
    QString saveScriptBytes(const QString& fileName, const QByteArray& bytes)
    {
        const QString folder = ScriptStore::scriptFolder(app.state());
        QDir().mkpath(folder);
        QFile file(folder + fileName);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return folder + fileName;
    }

    QString protocol() const { return TextCodec::readFile(app.settingsPath(QStringLiteral("renamed.vlp"))); }

    TestApp app;
    TestTree tree;
};
