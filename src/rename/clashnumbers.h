#pragma once

#include "filelist/filelist.h"

namespace kesto {

/// Numbers the new names of the checked rows of \a list that collide, with
/// each other or with an entry of their folder: " (2)", " (3)", … go before
/// the extension (the last dot, unless the name begins with it; a folder's
/// name has none), the lowest
/// free number first, in list order. The first row of a name keeps it unless
/// an entry of the folder holds it that the batch does not move away; a row
/// whose new name is its old one keeps it in any case. Names compare and are
/// freed as the full test (CheckPlan()) takes them, so the numbered names
/// pass it as far as clashes go; blank names are left to it, companions to
/// NameCompanions(). Gives the number of rows numbered.
int NumberClashes(FileList &list);

} // namespace kesto
