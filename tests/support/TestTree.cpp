#include "support/TestTree.h"

#include "core/platform/FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <unistd.h>

TestTree::TestTree(const QStringList& entries)
{
    EXPECT_TRUE(m_dir.isValid());
    for (const QString& entry : entries)
        add(entry);
}

QString TestTree::path(const QString& relative) const
{
    QString rel = relative;
    while (rel.endsWith(QLatin1Char('/')))
        rel.chop(1);
    return rel.isEmpty() ? m_dir.path() : m_dir.path() + QLatin1Char('/') + rel;
}

void TestTree::add(const QString& entry)
{
    const bool folder = entry.endsWith(QLatin1Char('/'));
    const qsizetype eq = folder ? -1 : entry.lastIndexOf(QLatin1Char('='));
    const QString relative = eq > 0 ? entry.left(eq) : entry;
    EXPECT_TRUE(QDir().mkpath(folder ? path(relative) : QFileInfo(path(relative)).path())) << entry.toStdString();
    if (!folder)
        write(relative, QByteArray(eq > 0 ? entry.mid(eq + 1).toLongLong() : 0, 'x'));
}

void TestTree::write(const QString& relative, const QByteArray& bytes) const
{
    QFile file(path(relative));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << relative.toStdString();
    file.write(bytes);
}

bool TestTree::link(const QString& target, const QString& relative) const
{
    return symlink(FileNames::encode(target).constData(), FileNames::encode(path(relative)).constData()) == 0;
}

bool TestTree::exists(const QString& relative) const
{
    return QFileInfo::exists(path(relative));
}

bool TestTree::isFolder(const QString& relative) const
{
    return QFileInfo(path(relative)).isDir();
}

QStringList TestTree::folders(const QString& relative) const
{
    QStringList names = QDir(path(relative)).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    names.sort();
    return names;
}
