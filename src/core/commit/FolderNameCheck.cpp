#include "core/commit/FolderNameCheck.h"

#include "core/AppState.h"

#include <QDir>
#include <QFile>

#include <climits>

int MaxFolderNameBytes()
{
    return NAME_MAX;
}

FolderNameProblem CheckFolderName(const QString& name)
{
    if (name.isEmpty())
        return FolderNameProblem::Empty;
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return FolderNameProblem::DotName;
    if (name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
        return FolderNameProblem::BadChar;
    // A UTF-16 unit never takes more than three bytes in UTF-8, so short names need no encoding.
    if (name.size() * 3 > MaxFolderNameBytes() && QFile::encodeName(name).size() > MaxFolderNameBytes())
        return FolderNameProblem::TooLong;
    return FolderNameProblem::None;
}

QString FolderNameProblemText(const AppState& state, FolderNameProblem problem, const QString& name)
{
    switch (problem) {
    case FolderNameProblem::Empty:
        return state.message(QStringLiteral("msgNameEmpty"));
    case FolderNameProblem::DotName:
        return state.message(QStringLiteral("msgNameDots"));
    case FolderNameProblem::BadChar:
        return state.message(QStringLiteral("msgNameBadChar"));
    case FolderNameProblem::TooLong:
        return state.message(QStringLiteral("msgNameTooLong"),
                             {QString::number(QFile::encodeName(name).size()), QString::number(MaxFolderNameBytes())});
    case FolderNameProblem::None:
        break;
    }
    return {};
}

bool IsCleanFolderPath(const QString& path)
{
    if (!path.startsWith(QLatin1Char('/')) || !path.endsWith(QLatin1Char('/')) || path.contains(QChar(0)))
        return false;
    if (path.size() == 1)
        return true;
    return QDir::cleanPath(path) + QLatin1Char('/') == path;
}
