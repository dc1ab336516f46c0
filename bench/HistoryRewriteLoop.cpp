// The history window's rewrite (read the protocol, write it back under its lock), over and over until a
// stop file appears, for tools/history-concurrency.sh: a batch run appending meanwhile must lose no line.
//   HistoryRewriteLoop SETTINGS_FOLDER STOP_FILE     prints the number of rewrites
#include "core/AppState.h"
#include "core/commit/RenameHistory.h"
#include "core/platform/PosixFileSystem.h"
#include "core/platform/SystemClock.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: HistoryRewriteLoop SETTINGS_FOLDER STOP_FILE\n");
        return 2;
    }
    AppState state;
    state.services.fileSystem = std::make_unique<PosixFileSystem>();
    state.services.clock = std::make_unique<SystemClock>();
    state.settingsFolder = QFile::decodeName(argv[1]);
    const QString stop = QFile::decodeName(argv[2]);
    long rewrites = 0;
    while (!QFile::exists(stop)) {
        RenameHistory history;
        history.LoadHistory(state);
        if (!history.writeHistoryData(state)) {
            std::fprintf(stderr, "rewrite %ld failed\n", rewrites + 1);
            return 1;
        }
        ++rewrites;
    }
    std::printf("%ld\n", rewrites);
    return 0;
}
