#pragma once

#include "core/platform/PosixFileSystem.h"
#include "core/settings/TextCodec.h"

#include <QString>

// The file system through which fixtures are written: the real one, never a test's fault-injecting one.
inline FileSystem& FixtureFileSystem()
{
    static PosixFileSystem fs;
    return fs;
}

// Writes a fixture file as the program writes its text files.
inline bool WriteTextFile(const QString& path, const QString& text)
{
    return FixtureFileSystem().writeFileAtomic(path, TextCodec::encode(text)).ok();
}
