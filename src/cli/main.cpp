#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << "Aufruf: kesto-cli [OPTION…] DATEI…\n";
    return 0;
}
