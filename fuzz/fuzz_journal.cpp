// libFuzzer target for the journal reader: arbitrary bytes as a journal, read
// whole and as a listing reads it. Besides not crashing, whatever the reader
// hands an undo must be safe to obey: every file a move in an absolute
// folder from a plain name to a name that may lead down into folders below
// it, as many as the plan says; every folder to remove an absolute one on
// the way of such a name.
#include "rename/journalreader.h"

#include <QByteArray>
#include <QList>

#include <algorithm>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace kesto;

namespace {

void check(bool ok, const char *what, const QByteArray &input)
{
    if (ok)
        return;
    std::fprintf(stderr, "fuzz_journal: %s\n%s\n", what, input.toHex(' ').constData());
    std::abort();
}

bool plain(const QByteArray &name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
           !name.contains('\0');
}

// Plain names joined by "/".
bool down(const QByteArray &path)
{
    const QList<QByteArray> parts = path.split('/');
    return std::all_of(parts.begin(), parts.end(), plain);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const BatchRecord whole = ParseJournal(input);
    if (!whole.entries.isEmpty()) {
        check(whole.state != BatchState::Damaged, "a damaged journal hands out files", input);
        check(whole.entries.size() == whole.files, "files read differ from the plan", input);
    }
    for (const JournalEntry &e : whole.entries) {
        const Move &m = e.move;
        check(m.folder.startsWith('/') && m.folder.endsWith('/') && !m.folder.contains('\0'),
              "a folder that is no absolute path", input);
        check(plain(m.from) && down(m.to), "a name that leaves its folder", input);
        check(m.temp.isEmpty() || (plain(m.temp) && m.temp.startsWith(".kesto-")),
              "a temporary name Kesto does not give", input);
    }
    check(whole.newFolders.size() == whole.newFolderCount || whole.entries.isEmpty(),
          "folders read differ from the plan", input);
    for (const QByteArray &folder : whole.newFolders) {
        const bool onTheWay =
            std::any_of(whole.entries.begin(), whole.entries.end(), [&](const JournalEntry &e) {
                return folder.size() > e.move.folder.size() && folder.startsWith(e.move.folder) &&
                       (e.move.folder + e.move.to).startsWith(folder) &&
                       down(folder.sliced(e.move.folder.size()).chopped(1));
            });
        check(folder.endsWith('/') && onTheWay, "a folder to remove that no file leads into",
              input);
    }

    // A listing sees the head and the end only; it may miss damage in the
    // middle, never find damage a whole read does not.
    JournalParser listing(false);
    qsizetype start = 0;
    for (qsizetype end; (end = input.indexOf('\n', start)) >= 0; start = end + 1)
        listing.add(QByteArrayView(input).sliced(start, end - start));
    const BatchRecord listed = listing.finish(false);
    check(listed.entries.isEmpty(), "a listing keeps files", input);
    check(listed.state != BatchState::Damaged || whole.state == BatchState::Damaged,
          "a listing finds damage a whole read does not", input);
    return 0;
}
