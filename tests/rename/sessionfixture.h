#pragma once

#include "rename/messages.h"
#include "rename/session.h"
#include "support/scriptedquestions.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

namespace kesto::test {

/// A session over real files in a temporary folder, answering questions from a script.
class SessionTest : public ::testing::Test
{
protected:
    TempFolder dir;
    TempFolder journals;
    ScriptedQuestions questions;
    Session session{questions};

    SessionTest() { session.journal() = Journal(journals.path()); }

    /// Creates the files (with their name as content) and loads them.
    void load(const QStringList &names)
    {
        QStringList paths;
        for (const QString &n : names)
            paths << dir.write(n, n.toUtf8());
        session.load(paths);
    }
    /// Sets the mask and runs the preview at once, as the timer would.
    void preview(const QString &mask)
    {
        session.setMaskText(mask);
        session.refresh();
    }
    /// Previews \a mask and runs the full test; gives the status it leaves.
    QString fullTestOf(const QString &mask)
    {
        preview(mask);
        session.testNames();
        return panel2();
    }
    /// The status of names that passed the full test.
    static QString ready() { return messages::readyToRename(messages::renameCaption()); }
    /// The full test of the names as the options give them now.
    bool fullTest()
    {
        session.refresh();
        return session.testNames();
    }
    void replace(int set, const QString &search, const QString &by, bool inNewName = false)
    {
        session.setSearchActive(set, Checked);
        session.setSearchText(set, search);
        session.setReplaceText(set, by);
        session.setSearchInNewName(set, inNewName ? Checked : Unchecked);
    }
    QStringList column(QString FileEntry::*field) const
    {
        QStringList out;
        for (const FileEntry &e : session.list().rows())
            out << e.*field;
        return out;
    }
    QStringList newNames() const { return column(&FileEntry::newName); }
    QStringList oldNames() const { return column(&FileEntry::oldName); }
    QString panel1() const { return session.status().panel1(); }
    QString panel2() const { return session.status().panel2(); }
};

} // namespace kesto::test
