#pragma once

#include "core/platform/Clock.h"
#include "core/platform/FileSystem.h"

#include <QDateTime>
#include <memory>

// The services through which the engine reaches the world outside: the disk and the clock. The program
// puts in the real ones; tests put in a fault-injecting file system or a fixed clock.
struct Services
{
    std::unique_ptr<FileSystem> fileSystem;
    std::unique_ptr<Clock> clock;

    FileSystem& fs() const { return *fileSystem; }
    QDateTime now() const { return clock->now(); }
};
