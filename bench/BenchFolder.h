#pragma once

#include <QFile>
#include <QString>

// Where a benchmark keeps its fixture trees between runs: $DIRWRIGHT_BENCH_DIR, else the benchmark's own
// folder below /tmp. Trees are kept because mass deletes leave this kind of file system slow for minutes.
inline QString BenchFolder(const QString& fallback)
{
    const QByteArray dir = qgetenv("DIRWRIGHT_BENCH_DIR");
    return dir.isEmpty() ? fallback : QFile::decodeName(dir);
}
