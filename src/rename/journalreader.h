#pragma once

#include "rename/journal.h"

#include <QByteArrayView>

namespace kesto {

/// The first line of every journal Kesto writes, and of those it wrote
/// before files had a fingerprint.
inline constexpr char JournalHeader[] = "Kesto-Journal 2";
inline constexpr char JournalHeaderWithoutFingerprints[] = "Kesto-Journal 1";
/// The time in a journal's "begun" line.
inline constexpr char JournalTimeFormat[] = "yyyy-MM-ddTHH:mm:ss.zzz";
/// The largest journal read: a batch of a million files writes about 150 MB.
inline constexpr qint64 MaxJournalBytes = qint64(256) << 20;

/// Takes a journal apart line by line, trusting nothing in it. A journal is
/// anyone's file in the user's data folder, and an undo renames what it
/// says: so a journal whose plan is complete but that holds one line Kesto
/// does not write (a folder that is not absolute, a name with "/" or NUL or
/// equal to "." or "..", a new name that leaves its folder, a temporary name
/// Kesto does not give, a folder to make on the way of no new name, a number
/// that is none, a count that does not match) is Damaged as a whole and never
/// obeyed in part.
class JournalParser
{
public:
    /// \a withEntries: keep the files; a listing needs only the head and the end.
    explicit JournalParser(bool withEntries)
        : m_withEntries(withEntries)
    {}
    /// One line, without its LF.
    void add(QByteArrayView line);
    /// The batch; \a whole: every line was given, not the head and end only.
    BatchRecord finish(bool whole);

private:
    void parseMove(QByteArrayView line);
    void parseFolder(QByteArrayView field);
    void parsePlanned(QByteArrayView counts);

    BatchRecord m_record;
    qint64 m_lines = 0, m_moves = 0, m_planned = -1;
    qint64 m_folders = 0, m_plannedFolders = 0;
    bool m_withEntries;
    bool m_isJournal = true;
    bool m_hasFingerprints = true;
    bool m_damaged = false;
    bool m_unrecorded = false;
};

/// The batch a whole journal text tells.
BatchRecord ParseJournal(QByteArrayView text);

/// Whether \a name is a journal's file name: "batch-", a ten-digit serial,
/// "-", anything, ".journal".
bool IsJournalName(const QString &name);

/// Opens \a path with \a flags if it is what a journal must be: a regular
/// file of this user, not a link's target, not a pipe or device that would
/// block; gives its length in \a size. -1 otherwise, with errno set.
int OpenJournalFile(const QString &path, int flags, qint64 *size = nullptr);

/// Reads the journal \a path: only a regular file of this user, opened
/// without following a link, up to MaxJournalBytes; anything else is Damaged.
/// With \a withEntries the whole file is read as a stream, else only its head
/// and its end.
BatchRecord ReadJournalFile(const QString &path, bool withEntries);

} // namespace kesto
