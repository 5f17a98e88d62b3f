// The files, folders, name lists and tables the user chooses for the list.
#include "ui/mainwindow.h"

#include "naming/messages.h"
#include "storage/settings.h"
#include "storage/tabletext.h"
#include "storage/textfile.h"
#include "ui/filelistmodel.h"
#include "ui/filelistview.h"
#include "ui/windowtexts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QUrl>

namespace kesto {

namespace {

// The folder the file dialogs open at: the one files were last added from.
const QString LastFolderKey = QStringLiteral("LetzterOrdner");

} // namespace

QStringList MainWindow::chooseFromLastFolder(bool folder)
{
    QFileDialog dialog(this, folder ? windowtexts::addFolderTitle() : windowtexts::addFilesTitle(),
                       GetSettingValue(LastFolderKey, QDir::homePath()));
    dialog.setFileMode(folder ? QFileDialog::Directory : QFileDialog::ExistingFiles);
    dialog.setOption(QFileDialog::ShowDirsOnly, folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QStringList chosen = dialog.selectedFiles();
    // The next choice starts in the folder chosen, or in that of the files.
    SaveSettingValue(LastFolderKey, folder ? chosen.first() : dialog.directory().absolutePath());
    return chosen;
}

void MainWindow::addFiles()
{
    QList<QByteArray> paths;
    for (const QString &file : chooseFromLastFolder(false))
        paths.append(QFile::encodeName(file));
    if (!paths.isEmpty())
        loadFiles(paths);
}

void MainWindow::addFolder()
{
    const QStringList chosen = chooseFromLastFolder(true);
    if (!chosen.isEmpty())
        loadFiles({QFile::encodeName(chosen.first())}, true);
}

std::optional<QString> MainWindow::chooseTextFile(const QString &title)
{
    QFileDialog dialog(this, title, GetSettingValue(LastFolderKey, QDir::homePath()));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().first();
    int error = 0;
    const QByteArray bytes = ReadFileBytes(path, &error);
    if (error != 0) {
        m_questions->tell(windowtexts::fileUnreadable(path, messages::systemErrorText(error)),
                          messages::appTitle());
        return std::nullopt;
    }
    return DecodeText(bytes);
}

void MainWindow::loadNameList(bool clipboard)
{
    const std::optional<QString> text = clipboard ? QGuiApplication::clipboard()->text()
                                                  : chooseTextFile(windowtexts::nameListTitle());
    if (!text)
        return;
    m_session.suppliedNames().setList(NameListLines(*text));
    m_session.suppliedNamesChanged();
}

void MainWindow::loadNameTable()
{
    const std::optional<QString> text = chooseTextFile(windowtexts::tableTitle());
    if (!text)
        return;
    SuppliedNames &supplied = m_session.suppliedNames();
    supplied.setTable(ReadTable(*text));
    m_session.suppliedNamesChanged();
    QStringList unused;
    for (const TableLine &line : supplied.unusedLines(m_session.list()))
        unused << namingmessages::unusedTableLine(line.number, EscapedName(line.cells.first()));
    // Before the files are loaded every line would be told.
    if (!unused.isEmpty() && !m_session.list().isEmpty())
        m_questions->tell(namingmessages::unusedTableLines(unused), messages::appTitle());
}

void MainWindow::openRowFolder()
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid())
        return;
    // The bytes of the path, so that a folder whose name is no UTF-8 opens too.
    QByteArray folder = m_session.list().at(current.row()).pathBytes();
    folder.truncate(folder.lastIndexOf('/') + 1);
    QDesktopServices::openUrl(QUrl::fromEncoded("file://" + folder.toPercentEncoding("/")));
}

} // namespace kesto
