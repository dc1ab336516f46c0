#pragma once

#include <QString>

struct AppState;
struct FsResult;

// Why a file could not be read (FileSystem::readFile), as a clause for a message: "it is not a regular
// file", "it is larger than 128 MB", or the system's own text.
QString FileReadProblemText(const AppState& state, const FsResult& result);
