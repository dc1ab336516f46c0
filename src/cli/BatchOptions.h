#pragma once

#include "core/folderops/AttributesParams.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The command line of a run without a window, the arguments after "--batch":
//   (--script SCRIPT | --structure TEXT | --structure-name NAME | --csv FILE)... [--csv-match N --csv-new N
//   [--csv-structure TEXT] [--csv-by path|name] [--keep-extension]] [--touch SOURCE[:OFFSET]] [--dry-run]
//   [--subfolders] [--list LISTFILE]... [--sort KEY] [PATH]...
//   --history | --undo-last
// Options with a value take it from the next argument or after "=" ("--sort=size"). "--" ends the options:
// every argument after it is a path, even one that starts with "-". Scripts and structures keep their
// command-line order, and so do paths and list files among themselves. The --csv-… options hold for every
// --csv file; their column numbers count from 1, and --csv-new, given up to four times, names the columns
// of <F1> to <F4>.
struct BatchOptions
{
    enum class SortKey { None, Name, Path, Created, Modified, Size };

    struct Action
    {
        // A structure is given as its text, or by its name in the user's library.
        enum class Kind { Script, Structure, StructureName, Csv };
        Kind kind = Kind::Script;
        QString value;
    };
    struct Input
    {
        enum class Kind { Path, ListFile };
        Kind kind = Kind::Path;
        QString value;
    };

    // How every --csv file gives names (CsvNamesParams: columns 0-based here, -1 when not given).
    struct CsvColumns
    {
        int match = -1;
        QList<int> tokens; // --csv-new, in order: the columns of <F1> to <F4>
        QString structure;
        QString by; // "path", "name" or empty (a row with a "/" names a path, any other a name)
        bool keepExtension = false;
    };

    enum class Error {
        None,
        UnknownOption,     // errorArgument: the option
        MissingValue,      // errorArgument: the option that needs a value
        BadSortKey,        // errorArgument: the key given
        BadTouch,          // errorArgument: the --touch value that is neither a source nor a date, or a bad offset
        NoAction,          // neither a script nor a structure (text or name) nor --csv nor --touch
        HistoryAlone,      // --history or --undo-last with anything but each other's absence
        BadColumn,         // errorArgument: the option; its value is no column number of 1 or more
        BadCsvBy,          // errorArgument: the value of --csv-by
        CsvColumnsMissing, // --csv without --csv-match and --csv-new, or --csv-… options without --csv
        CsvTooManyNew,     // --csv-new more than four times
    };
    // What the run does: rename, print the history, or undo the latest run.
    enum class Mode { Rename, History, UndoLast };

    QList<Action> actions;
    // --touch: the modification time every listed folder gets, after the renames (source and offset; an
    // explicit date has the offset applied already).
    std::optional<AttributesParams::TimeRequest> touch;
    QList<Input> inputs;
    CsvColumns csv;
    bool dryRun = false;
    bool subfolders = false;
    bool listOrder = false; // take the changes in list order instead of the safe order
    SortKey sort = SortKey::Path;
    bool help = false;
    Mode mode = Mode::Rename;

    // The first problem of the command line; help wins over every problem.
    Error error = Error::None;
    QString errorArgument;

    bool ok() const { return error == Error::None; }

    // The option that starts a run without a window; it must be the first argument.
    static QString batchOption() { return QStringLiteral("--batch"); }
    // The sort keys as written on the command line, in the order of SortKey.
    static QStringList sortKeyNames();
    // The sources of --touch by name, in the order of AttributesParams::Source from FilesEarliest.
    static QStringList touchSourceNames();
};

// Reads the arguments that follow "--batch".
BatchOptions ParseBatchArguments(const QStringList& arguments);
