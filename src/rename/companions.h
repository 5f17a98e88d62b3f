#pragma once

#include "filelist/filelist.h"

#include <QString>

namespace kesto {

/// With \a on, finds the companions among the rows: files of one folder whose
/// names are a main row's name without its type, a dot and more ("IMG_1.JPG"
/// and "IMG_1.JPG.xmp" go with "IMG_1.CR2", "IMG_10.JPG" does not), the names
/// compared as FoldedName() does. The main row of a group is its first row in
/// the list, or the first whose type is \a mainType (letter case ignored);
/// when a name could join groups of several lengths, the shortest base wins.
/// Each companion moves beneath its main row and is marked; without \a on,
/// no row is marked.
void GroupCompanions(FileList &list, bool on, const QString &mainType);

/// Gives every marked companion its main row's new name without the main's
/// new type (when \a maskHasExtension), followed by everything of its own name
/// after the main's old base name. A companion of an unchecked main row keeps
/// its name.
void NameCompanions(FileList &list, bool maskHasExtension);

/// The note that marks a companion row, naming its main row; empty for other rows.
QString CompanionNote(const FileList &list, int row);

} // namespace kesto
