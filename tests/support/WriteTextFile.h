#pragma once

#include "core/platform/PosixFileSystem.h"
#include "core/settings/TextCodec.h"

#include <QString>

// Writes a fixture file as the program writes its text files.
inline bool WriteTextFile(const QString& path, const QString& text)
{
    return PosixFileSystem().writeFileAtomic(path, TextCodec::encode(text)).ok();
}
