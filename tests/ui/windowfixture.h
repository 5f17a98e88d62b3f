#pragma once

#include "rename/session.h"
#include "support/scriptedquestions.h"
#include "support/tempfiles.h"
#include "ui/mainwindow.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

namespace kesto::test {

/// The size of the screen the GUI tests run on: larger than the window.
inline constexpr int TestScreenWidth = 1280;
inline constexpr int TestScreenHeight = 1024;

/// Counts the preview passes of a session (each pass first shows "..." in panel 1).
class PassCounter
{
public:
    explicit PassCounter(Session &session);
    ~PassCounter();
    PassCounter(const PassCounter &) = delete;
    PassCounter &operator=(const PassCounter &) = delete;

    int count() const { return m_count; }
    /// Waits until the count exceeds \a seen, at most \a timeoutMs; true if it did.
    bool waitBeyond(int seen, int timeoutMs = 5000);

private:
    Session &m_session;
    int m_count = 0;
    QMetaObject::Connection m_connection;
};

/// A main window on a fresh account: no settings, no masks file, no log.
/// Questions are answered from the script; the refresh waits RefreshMs.
class WindowTest : public ::testing::Test
{
protected:
    static constexpr int RefreshMs = 120;

    void SetUp() override;
    void TearDown() override;

    /// Forgets everything a former window stored.
    static void wipeStoredState();

    /// Builds a window, lets \a beforeStart connect to it, runs the start-up
    /// with \a files and shows it.
    MainWindow &start(const QList<QByteArray> &files = {},
                      const std::function<void(MainWindow &)> &beforeStart = {});
    /// Closes the window as the user would, running the shutdown.
    void closeWindow();

    MainWindow &window() { return *m_window; }
    template<typename T> T *find(const QString &objectName)
    {
        T *w = m_window->findChild<T *>(objectName);
        EXPECT_NE(w, nullptr) << objectName.toStdString();
        return w;
    }

    /// Writes files named \a names (each with its name as content) and drops them on the list.
    void dropFiles(const QStringList &names);
    /// Drops \a urls on the list as a file manager would.
    void dropUrls(const QList<QUrl> &urls);
    /// Types \a text into the mask field in place of its content and waits for the preview.
    void typeMask(const QString &text);
    void click(int buttonIndex);

    QStringList column(int column) const;
    QString panel1() const;
    QString panel2() const;

    TempFolder dir;
    ScriptedQuestions questions;

private:
    std::unique_ptr<MainWindow> m_window;
};

} // namespace kesto::test
