// Loading a large tree into the preview list against the bare cost of walking it.
//
// Builds once a tree of 111 110 folders (fan-out 10, depth 5) with a small file in every leaf, in
// $DIRWRIGHT_BENCH_DIR or /tmp/dirwright-bench. The tree is kept between runs: mass deletes slow this
// file system down for minutes. Then, alternately, it measures
//   baseline: one walk that reads every folder and stats every entry (what any loader has to do),
//   loading:  dropping the tree's top folder on the list, which loads every folder below it through
//             AddSubfolders / AddFolder, sizes and times included,
// and reports the medians, their ratio and the memory the loaded rows take.
// Bars: loading within 2.5x of the baseline; under 2 KB of memory per row, at the peak of loading.

#include "BenchFolder.h"
#include "core/AppState.h"
#include "core/load/FolderLoader.h"
#include "core/platform/FileNames.h"
#include "core/platform/PosixFileSystem.h"
#include "core/preview/PreviewList.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kFanOut = 10;
constexpr int kDepth = 5;
constexpr int kRounds = 3;

QString benchRoot()
{
    return BenchFolder(QStringLiteral("/tmp/dirwright-bench"));
}

void buildLevel(const QByteArray& folder, int depth)
{
    if (depth == kDepth) {
        const QByteArray file = folder + "/leaf.txt";
        const int fd = open(file.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd >= 0) {
            if (write(fd, "0123456789", 10) != 10)
                std::perror("write");
            close(fd);
        }
        return;
    }
    for (int i = 0; i < kFanOut; ++i) {
        const QByteArray sub = folder + "/d" + QByteArray::number(i);
        mkdir(sub.constData(), 0755);
        buildLevel(sub, depth + 1);
    }
}

// The tree, built unless a previous run finished it.
QString ensureTree()
{
    const QString root = benchRoot() + QStringLiteral("/tree");
    const QString done = benchRoot() + QStringLiteral("/tree.complete");
    if (QFile::exists(done))
        return root;
    std::printf("building the tree in %s (kept for later runs)...\n", qPrintable(root));
    QDir().mkpath(root);
    QElapsedTimer timer;
    timer.start();
    buildLevel(FileNames::encode(root), 0);
    QFile marker(done);
    if (marker.open(QIODevice::WriteOnly))
        marker.close();
    std::printf("built in %.1f s\n", timer.elapsed() / 1000.0);
    return root;
}

// The baseline: read every folder, stat every entry, add up the file sizes.
struct WalkResult
{
    long folders = 0;
    long long bytes = 0;
};

void walk(const QByteArray& folder, WalkResult& result)
{
    DIR* dir = opendir(folder.constData());
    if (!dir)
        return;
    const int fd = dirfd(dir);
    std::vector<QByteArray> subfolders;
    while (const dirent* e = readdir(dir)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
            continue;
        struct stat st;
        if (fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(st.st_mode))
            subfolders.push_back(folder + '/' + e->d_name);
        else if (S_ISREG(st.st_mode))
            result.bytes += st.st_size;
    }
    closedir(dir);
    for (const QByteArray& sub : subfolders) {
        ++result.folders;
        walk(sub, result);
    }
}

long residentKiB()
{
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long peakKiB()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString root = ensureTree();

    AppState state;
    state.services.fileSystem = std::make_unique<PosixFileSystem>();
    state.statusTexts = QStringList(10, QStringLiteral("folders loaded"));

    WalkResult warm;
    walk(FileNames::encode(root), warm); // both sides start from a warm cache
    std::printf("tree: %ld folders, %lld bytes in files\n", warm.folders, warm.bytes);

    std::vector<double> walkMs;
    std::vector<double> loadMs;
    long rows = 0;
    long retainedKiB = 0;
    long peakGrowthKiB = 0;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        WalkResult result;
        walk(FileNames::encode(root), result);
        walkMs.push_back(timer.nsecsElapsed() / 1e6);

        PreviewList list;
        FolderLoader loader(state, list);
        loader.onProcessEvents = [] { QCoreApplication::processEvents(); };
        const long before = residentKiB();
        const long peakBefore = peakKiB();
        timer.restart();
        loader.DropFolders({root});
        loadMs.push_back(timer.nsecsElapsed() / 1e6);
        rows = list.size();
        retainedKiB = residentKiB() - before;
        // The peak only says something in the first round, before which the process was small.
        if (round == 0)
            peakGrowthKiB = peakKiB() - std::max(before, peakBefore);
        if (rows != result.folders) {
            std::printf("FAIL: loaded %ld rows, the tree has %ld folders\n", rows, result.folders);
            return 1;
        }
        const FolderEntry& top = list.entry(list.rowOfKey(root + QStringLiteral("/d0/")));
        if (top.size * kFanOut != result.bytes) {
            std::printf("FAIL: size of d0 is %lld\n", top.size);
            return 1;
        }
    }

    const double w = median(walkMs);
    const double l = median(loadMs);
    const double ratio = l / w;
    const double perRow = retainedKiB * 1024.0 / rows;
    const double peakPerRow = std::max(peakGrowthKiB, retainedKiB) * 1024.0 / rows;
    std::printf("baseline walk + stat : %8.1f ms  (median of %d)\n", w, kRounds);
    std::printf("loading with sizes   : %8.1f ms  (median of %d), %ld rows, %.2f us per row\n", l, kRounds, rows,
                l * 1000.0 / rows);
    std::printf("ratio                : %8.2f x   (bar 2.5 x)   %s\n", ratio, ratio <= 2.5 ? "ok" : "OVER");
    std::printf("memory per row       : %8.0f B retained, %.0f B at the peak (bar 2048 B)   %s\n", perRow, peakPerRow,
                peakPerRow < 2048 ? "ok" : "OVER");
    return ratio <= 2.5 && peakPerRow < 2048 ? 0 : 2;
}
