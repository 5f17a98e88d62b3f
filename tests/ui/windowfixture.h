#pragma once

#include "storage/applog.h"
#include "storage/settings.h"
#include "support/scriptedquestions.h"
#include "support/tempfiles.h"
#include "ui/filelistview.h"
#include "ui/mainwindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace kesto::test {

/// Whether the offscreen screen, larger than the window, was set up before
/// the application was made.
extern const bool screenConfigured;

/// Runs \a answer on the modal dialog once it is up.
template<typename Dialog> void whenShown(const std::function<void(Dialog *)> &answer)
{
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(dialog);
    });
}

/// Opens a menu through \a open, chooses \a choice and gives the entries
/// shown, "|" for a line and "-" before one that is off.
inline QStringList chooseFromMenu(const std::function<void()> &open, const QString &choice)
{
    QStringList shown;
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction *a : menu->actions()) {
            shown << (a->isSeparator() ? "|" : (a->isEnabled() ? "" : "-") + a->text());
            if (a->text() == choice)
                menu->setActiveAction(a);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    open();
    return shown;
}

/// A main window on a fresh account: no settings, no masks file, no log, no
/// journal. Questions are answered from the script; the refresh waits RefreshMs.
class WindowTest : public ::testing::Test
{
protected:
    static constexpr int RefreshMs = 120;

    void SetUp() override
    {
        ASSERT_TRUE(screenConfigured || !qgetenv("QT_QPA_PLATFORM").startsWith("offscreen"));
        const AppPaths paths = MakeAppPaths();
        for (const QString &file : {SettingsFile(), paths.masksIni, paths.keysIni, paths.log})
            QFile::remove(file);
        QDir(DataFolder() + "Kesto-Journal").removeRecursively();
    }
    void TearDown() override
    {
        m_window.reset();
        SetLogPath(QString());
    }

    /// Builds a window, lets \a beforeStart connect to it, then starts it as
    /// the program does: settings, shown, a repair offered, \a files loaded.
    MainWindow &start(const QList<QByteArray> &files = {},
                      const std::function<void(MainWindow &)> &beforeStart = {})
    {
        m_window = std::make_unique<MainWindow>(&questions);
        m_window->session().refreshTimer().setInterval(RefreshMs);
        if (beforeStart)
            beforeStart(*m_window);
        m_window->start(files);
        m_window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        return *m_window;
    }
    MainWindow &window() { return *m_window; }
    /// Records the preview passes: each is one timeout of the refresh timer.
    QSignalSpy passSpy() { return {&m_window->session().refreshTimer(), &QTimer::timeout}; }
    [[nodiscard]] bool preview(const QString &mask)
    {
        QSignalSpy passes = passSpy();
        m_window->maskField()->setText(mask);
        return passes.wait();
    }
    template<typename T = QWidget> T *find(const QString &objectName)
    {
        T *w = m_window->findChild<T *>(objectName);
        EXPECT_NE(w, nullptr) << objectName.toStdString();
        return w;
    }
    void type(const QString &field, const QString &text)
    {
        auto *edit = find<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    /// Writes files named \a names (each with its name as content, so a longer
    /// name is a larger file) and drops them on the list.
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
    void click(Command command) { QTest::mouseClick(m_window->button(command), Qt::LeftButton); }
    QStringList column(int column) const
    {
        QStringList out;
        const QAbstractItemModel *model = m_window->listView()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            out << model->index(r, column).data().toString();
        return out;
    }
    QString panel(int n) { return find<QLabel>(QString("StatusPanel%1").arg(n))->text(); }

    TempFolder dir;
    ScriptedQuestions questions;

private:
    std::unique_ptr<MainWindow> m_window;
};

} // namespace kesto::test
