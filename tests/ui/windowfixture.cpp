#include "windowfixture.h"

#include "storage/applog.h"
#include "storage/datafolder.h"
#include "storage/settings.h"
#include "ui/filelistview.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <cstdlib>

namespace kesto::test {

namespace {

// The offscreen platform offers an 800 x 800 screen unless told otherwise; the
// window is wider than that. The platform is chosen when the application is
// made, so this runs before main().
const bool screenConfigured = [] {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return false;
    const QString path =
        QDir::tempPath() +
        QStringLiteral("/kesto-ui-test-screen-%1.json").arg(QCoreApplication::applicationPid());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    f.write(QStringLiteral("{\"screens\":[{\"name\":\"Test\",\"x\":0,\"y\":0,\"width\":%1,"
                           "\"height\":%2,\"logicalDpi\":96,\"logicalBaseDpi\":96,\"dpr\":1}]}")
                .arg(TestScreenWidth)
                .arg(TestScreenHeight)
                .toUtf8());
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(path));
    std::atexit([] {
        QFile::remove(QDir::tempPath() + QStringLiteral("/kesto-ui-test-screen-%1.json")
                                             .arg(QCoreApplication::applicationPid()));
    });
    return true;
}();

} // namespace

PassCounter::PassCounter(Session &session)
    : m_session(session)
{
    m_connection = QObject::connect(&session.status(), &StatusLine::panel1Changed, &session,
                                    [this](const QString &text) {
                                        if (text == QStringLiteral("..."))
                                            ++m_count;
                                    });
}

PassCounter::~PassCounter()
{
    QObject::disconnect(m_connection);
}

bool PassCounter::waitBeyond(int seen, int timeoutMs)
{
    QSignalSpy spy(&m_session.status(), &StatusLine::panel1Changed);
    while (m_count <= seen) {
        if (!spy.wait(timeoutMs))
            return m_count > seen;
    }
    return true;
}

void WindowTest::SetUp()
{
    ASSERT_TRUE(screenConfigured || !qgetenv("QT_QPA_PLATFORM").startsWith("offscreen"));
    wipeStoredState();
}

void WindowTest::TearDown()
{
    m_window.reset();
    SetLogPath(QString());
}

void WindowTest::wipeStoredState()
{
    QFile::remove(SettingsFile());
    const AppPaths paths = MakeAppPaths();
    for (const QString &file : {paths.masksIni, paths.keysIni, paths.log})
        QFile::remove(file);
}

MainWindow &WindowTest::start(const QList<QByteArray> &files,
                              const std::function<void(MainWindow &)> &beforeStart)
{
    m_window = std::make_unique<MainWindow>(&questions);
    m_window->session().refreshTimer().setInterval(RefreshMs);
    if (beforeStart)
        beforeStart(*m_window);
    m_window->startUp(files);
    m_window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    return *m_window;
}

void WindowTest::closeWindow()
{
    m_window->close();
    m_window.reset();
}

void WindowTest::dropFiles(const QStringList &names)
{
    QList<QUrl> urls;
    for (const QString &name : names)
        urls << QUrl::fromLocalFile(dir.write(name, name.toUtf8()));
    dropUrls(urls);
}

void WindowTest::dropUrls(const QList<QUrl> &urls)
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

void WindowTest::typeMask(const QString &text)
{
    PassCounter passes(m_window->session());
    QLineEdit *mask = m_window->maskField();
    mask->selectAll();
    QTest::keyClicks(mask, text);
    ASSERT_EQ(mask->text(), text);
    ASSERT_TRUE(passes.waitBeyond(0));
}

void WindowTest::click(int buttonIndex)
{
    QPushButton *b = m_window->button(buttonIndex);
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(b->isEnabled()) << "Btn" << buttonIndex;
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList WindowTest::column(int column) const
{
    QStringList out;
    const QAbstractItemModel *model = m_window->listView()->model();
    for (int r = 0; r < model->rowCount(); ++r)
        out << model->index(r, column).data().toString();
    return out;
}

QString WindowTest::panel1() const
{
    return m_window->findChild<QLabel *>(QStringLiteral("StatusPanel1"))->text();
}

QString WindowTest::panel2() const
{
    return m_window->findChild<QLabel *>(QStringLiteral("StatusPanel2"))->text();
}

} // namespace kesto::test
