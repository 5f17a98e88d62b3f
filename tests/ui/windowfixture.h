#pragma once

#include "storage/applog.h"
#include "storage/datafolder.h"
#include "storage/settings.h"
#include "support/scriptedquestions.h"
#include "support/tempfiles.h"
#include "ui/filelistview.h"
#include "ui/mainwindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>

namespace kesto::test {

/// The size of the offscreen screen the GUI tests run on: larger than the window.
inline constexpr int TestScreenWidth = 1280;
inline constexpr int TestScreenHeight = 1024;
/// Whether that screen was set up before the application was made.
extern const bool screenConfigured;

/// Records the preview passes of a window: each is one timeout of its refresh timer.
struct PassSpy : QSignalSpy
{
    explicit PassSpy(MainWindow &w)
        : QSignalSpy(&w.session().refreshTimer(), &QTimer::timeout)
    {}
};

/// A main window on a fresh account: no settings, no masks file, no log.
/// Questions are answered from the script; the refresh waits RefreshMs.
class WindowTest : public ::testing::Test
{
protected:
    static constexpr int RefreshMs = 120;

    void SetUp() override
    {
        ASSERT_TRUE(screenConfigured || !qgetenv("QT_QPA_PLATFORM").startsWith("offscreen"));
        QFile::remove(SettingsFile());
        const AppPaths paths = MakeAppPaths();
        for (const QString &file : {paths.masksIni, paths.keysIni, paths.log})
            QFile::remove(file);
    }
    void TearDown() override
    {
        m_window.reset();
        SetLogPath(QString());
    }

    /// Builds a window, lets \a beforeStart connect to it, runs the start-up
    /// with \a files and shows it.
    MainWindow &start(const QList<QByteArray> &files = {},
                      const std::function<void(MainWindow &)> &beforeStart = {})
    {
        m_window = std::make_unique<MainWindow>(&questions);
        m_window->session().refreshTimer().setInterval(RefreshMs);
        if (beforeStart)
            beforeStart(*m_window);
        m_window->startUp(files);
        m_window->show();
        m_window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        return *m_window;
    }
    MainWindow &window() { return *m_window; }
    template<typename T = QWidget> T *find(const QString &objectName)
    {
        T *w = m_window->findChild<T *>(objectName);
        EXPECT_NE(w, nullptr) << objectName.toStdString();
        return w;
    }

    /// Writes files named \a names (each with its name as content) and drops them on the list.
    void dropFiles(const QStringList &names)
    {
        QList<QUrl> urls;
        for (const QString &name : names)
            urls << QUrl::fromLocalFile(dir.write(name, name.toUtf8()));
        dropUrls(urls);
    }
    void dropUrls(const QList<QUrl> &urls)
    {
        QWidget *target = m_window->listView()->viewport();
        QMimeData mime;
        mime.setUrls(urls);
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    }
    /// Types \a text into the mask field in place of its content and waits for the preview.
    void typeMask(const QString &text)
    {
        PassSpy pass(*m_window);
        m_window->maskField()->selectAll();
        QTest::keyClicks(m_window->maskField(), text);
        ASSERT_TRUE(pass.wait());
    }
    void click(int buttonIndex)
    {
        QPushButton *b = m_window->button(buttonIndex);
        ASSERT_TRUE(b && b->isEnabled()) << "Btn" << buttonIndex;
        QTest::mouseClick(b, Qt::LeftButton);
    }

    QStringList column(int column) const
    {
        QStringList out;
        const QAbstractItemModel *model = m_window->listView()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            out << model->index(r, column).data().toString();
        return out;
    }
    QString panel(int n) const
    {
        return m_window->findChild<QLabel *>(QString("StatusPanel%1").arg(n))->text();
    }

    TempFolder dir;
    ScriptedQuestions questions;

private:
    std::unique_ptr<MainWindow> m_window;
};

} // namespace kesto::test
