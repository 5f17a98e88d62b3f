#pragma once

#include "filelist/pathsources.h"
#include "storage/renameoptions.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kesto::cli {

/// The command line of kesto-cli, read but not yet applied.
struct Arguments
{
    std::optional<QString> mask, counterStart, counterStep, preset;
    std::optional<int> digitCount;
    std::optional<int> leadChar;          ///< position in the leading-character list
    std::optional<int> letterCase;        ///< position in the letter-case list
    QList<SearchReplaceSet> replacements; ///< active sets, in the order given
    bool randomUpper = false, randomLower = false, randomDigits = false;
    std::optional<QString> randomExtra;
    bool transliterate = false, counterPerFolder = false;
    bool companions = false;
    std::optional<QString> companionsMain; ///< the type given to --companions-main
    int sortColumn = 1;
    bool sortDescending = false;
    bool apply = false;
    bool yes = false;
    bool noUndo = false;  ///< rename even when no journal can be written
    bool undo = false;    ///< undo the newest batch not yet undone
    bool history = false; ///< list the kept batches
    bool help = false;
    bool version = false;
    bool quiet = false;        ///< no progress line, no "Bereit: …" line
    bool namingOption = false; ///< an option of a rename, which --undo and --history refuse
    bool recursive = false;    ///< folders among the files are loaded as \a folders says
    bool folderRows = false; ///< folders among the files are rows (and with recursive, those below)
    FolderFilter folders{-1, {}, {}, false};
    QList<QByteArray> pathLists;        ///< --files-from, "-" for standard input
    std::optional<QByteArray> nameList; ///< --names-from, "-" for standard input
    std::optional<QByteArray> table;    ///< --table, "-" for standard input
    bool numberClashes = false;         ///< --number-clashes
    bool nulSeparated = false;          ///< the lists' paths end with NUL, not a line feed
    QList<QByteArray> files;            ///< as the system handed them over
    QString error;                      ///< set when the command line is not usable

    bool json = false;                 ///< the plan as JSON instead of the list of names
    std::optional<QByteArray> planOut; ///< write the plan to this file
    std::optional<QByteArray> planIn;  ///< show or rename the plan of this file
    bool notForPlanIn = false; ///< an option a plan file decides, or that has no use with it
};

/// Reads argv[1..]; option values are taken as the user would type them.
Arguments ParseArguments(const QList<QByteArray> &args);

QString UsageText();

} // namespace kesto::cli
