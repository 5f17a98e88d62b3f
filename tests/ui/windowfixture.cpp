#include "windowfixture.h"

#include <cstdlib>

namespace kesto::test {

static QString screenFile()
{
    return QDir::tempPath() +
           QString("/kesto-ui-test-screen-%1.json").arg(QCoreApplication::applicationPid());
}

// The offscreen platform offers an 800 x 800 screen unless told otherwise; the
// window is wider than that. The platform is chosen when the application is
// made, so this runs before main().
const bool screenConfigured = [] {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    QFile f(screenFile());
    if ((!platform.isEmpty() && platform != "offscreen") || !f.open(QIODevice::WriteOnly))
        return false;
    f.write(R"({"screens":[{"name":"Test","x":0,"y":0,"width":1280,"height":1024,)"
            R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(f.fileName()));
    std::atexit([] { QFile::remove(screenFile()); });
    return true;
}();

} // namespace kesto::test
