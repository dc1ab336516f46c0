#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

// The layers are folders: the engine (core) uses neither the windows (gui) nor the batch mode (cli), and
// the batch mode never uses the windows. Every include of a project file names its layer, so the direction
// shows at each one; this test keeps it that way and keeps each layer's source list complete.
namespace {

const QString kSourceRoot = QStringLiteral(DIRWRIGHT_SOURCE_DIR "/src/");

QStringList sourceFiles(const QString& layer)
{
    QStringList files;
    QDirIterator it(kSourceRoot + layer, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

QStringList projectIncludes(const QString& file)
{
    QFile in(file);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly)) << file.toStdString();
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""),
                                            QRegularExpression::MultilineOption);
    QStringList names;
    auto matches = include.globalMatch(QString::fromUtf8(in.readAll()));
    while (matches.hasNext())
        names.append(matches.next().captured(1));
    return names;
}

struct LayerRule
{
    const char* layer;
    QStringList forbidden; // include prefixes the layer must not use
};

TEST(Layers, IncludesPointDownwardAndNameTheirLayer)
{
    const LayerRule rules[] = {
        {"core", {QStringLiteral("gui/"), QStringLiteral("cli/")}},
        {"cli", {QStringLiteral("gui/")}},
        {"gui", {}},
    };
    for (const LayerRule& rule : rules) {
        SCOPED_TRACE(rule.layer);
        const QStringList files = sourceFiles(QString::fromLatin1(rule.layer));
        ASSERT_FALSE(files.isEmpty());
        for (const QString& file : files) {
            for (const QString& name : projectIncludes(file)) {
                if (name.endsWith(QLatin1String(".moc")) || name.startsWith(QLatin1String("moc_")))
                    continue;
                const std::string where =
                    file.mid(kSourceRoot.size()).toStdString() + " includes " + name.toStdString();
                EXPECT_TRUE(name.startsWith(QLatin1String("core/")) || name.startsWith(QLatin1String("gui/")) ||
                            name.startsWith(QLatin1String("cli/")))
                    << where << ": a project include names its layer";
                for (const QString& prefix : rule.forbidden)
                    EXPECT_FALSE(name.startsWith(prefix)) << where;
                EXPECT_TRUE(QFile::exists(kSourceRoot + name)) << where;
            }
        }
    }
}

TEST(Layers, EverySourceFileIsInItsLayersList)
{
    for (const char* layer : {"core", "gui", "cli"}) {
        SCOPED_TRACE(layer);
        const QString folder = kSourceRoot + QString::fromLatin1(layer) + QLatin1Char('/');
        QFile listFile(folder + QStringLiteral("CMakeLists.txt"));
        ASSERT_TRUE(listFile.open(QIODevice::ReadOnly));
        const QStringList listed =
            QString::fromUtf8(listFile.readAll()).split(QRegularExpression(QStringLiteral("\\s+")));
        for (const QString& file : sourceFiles(QString::fromLatin1(layer)))
            EXPECT_TRUE(listed.contains(file.mid(folder.size()))) << file.toStdString() << " is in no source list";
    }
}

} // namespace
