#pragma once

#include "core/platform/FileSystem.h"

#include <QString>

struct AppState;

// The message for a rename that failed, by the kind of failure: the folder is gone, the name is taken,
// access was denied, or anything else with the system's own description after the separator. Both paths
// stand in double quotes.
QString RenameFailureMessage(const AppState& state, const FsResult& result, const QString& from, const QString& to,
                             const QString& systemTextSeparator);

// A path or name in double quotes, as messages show them.
QString Quoted(const QString& text);
