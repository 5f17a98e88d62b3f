#include "naming/messages.h"
#include "rename/messages.h"
#include "support/drives.h"
#include "ui/filelistmodel.h"
#include "ui/inputaids.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTextBrowser>
#include <QTranslator>

using namespace kesto;

namespace {

const QRegularExpression shownTime(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d)");
const QString skippedHead = "okcancel|Folgende Pfade wurden nicht in die Liste aufgenommen:\r\r";

class MainWindowTest : public kesto::test::WindowTest
{
protected:
    // The questions and messages so far as "kind|text", the folder as "D", times as "T".
    QStringList asked()
    {
        QStringList out;
        for (const auto &a : questions.asked)
            out << QString(a.kind + "|" + a.text).replace(dir.path(), "D").replace(shownTime, "T");
        return out;
    }
    QList<int> highlighted()
    {
        QList<int> out;
        for (int r = 0; r < window().listModel()->rowCount(); ++r) {
            if (window().listView()->selectionModel()->isRowSelected(r))
                out << r;
        }
        return out;
    }
    static QString accessibleName(QWidget *w)
    {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).trimmed();
    }
    QAccessibleTableInterface *accessibleList()
    {
        return QAccessible::queryAccessibleInterface(window().listView())->tableInterface();
    }
};

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
    Q_INVOKABLE void open(const QUrl &url) { urls << url; }
};

// Every caption and label is shown in full, and nothing cut or covered, at
// the default font and at the larger fonts some desktops choose, at the
// designed size, narrowed to 800 pixels and large; the reasons of the rows are
// seen without scrolling; everything a keyboard user reaches has a
// name a screen reader can say, a field the name of the label beside it, a
// drop-down list (named by its entry on Linux) a pointer to its label, and
// the list tells the shown columns by their headers, none of the sort-only ones.
TEST_F(MainWindowTest,
       AFreshStartShowsTheDefaultsEveryCaptionInFullWithANameAndHelpInfoAndDataFolder)
{
    const QFont original = QApplication::font();
    for (int points : {original.pointSize(), 10, 11}) {
        QApplication::setFont(QFont(original.family(), points));
        MainWindow w(&questions);
        AttachInputAids(w);
        w.show();
        QStringList cut, unnamed;
        for (const QSize size : {MainWindow::designedSize(), QSize(800, 548), QSize(1600, 1000)})
            for (int page = 0; page < 5; ++page) {
                w.resize(size);
                w.findChild<QTabBar *>()->setCurrentIndex(page);
                QApplication::processEvents(); // the status bar lays itself out later
                const QString at = QString(" at %1 pt, %2 px").arg(points).arg(size.width());
                const QHeaderView *header = w.listView()->horizontalHeader();
                if (w.size() != size ||
                    header->sectionViewportPosition(FileListModel::HintColumn) +
                            header->sectionSize(FileListModel::HintColumn) >
                        header->width() - w.listView()->verticalScrollBar()->sizeHint().width())
                    cut << "Size or Hinweis" + at;
                // Widgets with nothing inside, where they are.
                QList<std::pair<QString, QRect>> leaves;
                for (QWidget *c : w.findChildren<QWidget *>()) {
                    const QRect r(c->mapTo(&w, QPoint()), c->size());
                    if (c->isVisibleTo(&w) && !c->parentWidget()->rect().contains(c->geometry()))
                        cut << c->objectName() + " out of " + c->parentWidget()->objectName() + at;
                    for (const auto &[name, other] : std::as_const(leaves))
                        if (c->isVisibleTo(&w) && other.intersects(r))
                            cut << c->objectName() + " on " + name + at;
                    if (c->isVisibleTo(&w) && c->findChildren<QWidget *>().isEmpty())
                        leaves.append({c->objectName(), r});
                    const QFontMetrics fm(c->font());
                    int needed = 0;
                    if ((qobject_cast<QLabel *>(c) && !c->objectName().startsWith("StatusPanel")) ||
                        qobject_cast<QCheckBox *>(c) || qobject_cast<QTabBar *>(c))
                        needed = c->sizeHint().width();
                    else if (auto *p = qobject_cast<QPushButton *>(c); p && !p->text().isEmpty())
                        needed = fm.horizontalAdvance(QString(p->text()).remove('&')) + 12;
                    else if (auto *g = qobject_cast<QGroupBox *>(c))
                        needed = fm.horizontalAdvance(g->title()) + 16;
                    if (needed > c->width())
                        cut << c->objectName() + at;
                    if ((c->focusPolicy() & Qt::TabFocus) && !c->objectName().isEmpty() &&
                        accessibleName(c).isEmpty())
                        unnamed << c->objectName();
                }
            }
        cut.removeDuplicates();
        EXPECT_TRUE(cut.isEmpty()) << cut.join("\n").toStdString();
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
    }
    QApplication::setFont(original);

    MainWindow &w = start();
    EXPECT_EQ(w.size(), MainWindow::designedSize());
    QStringList texts{w.windowTitle(), accessibleName(&w), find<QGroupBox>("Frame1")->title(),
                      find<QGroupBox>("Frame3")->title()};
    for (int i : {0, 1, 2, 3, 4, 8, 9, 10, 11, 25, 32, 40, 41})
        texts << w.button(Command(i))->text();
    auto *tabs = find<QTabBar>("MyTabStrip");
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    for (const char *field : {"Maske", "Zahl", "Schrittweite"})
        texts << find<QLineEdit>(field)->text();
    for (const char *list : {"StellenAnzahl", "Vornullenzeichen", "Schreibweise"})
        texts << find<QComboBox>(list)->currentText();
    const QSlider *slider = find<QSlider>("FontSizeSlider");
    texts << panel(1) << accessibleName(find("StatusPanel1"))
          << QString("%1 %2 %3").arg(slider->minimum()).arg(slider->value()).arg(slider->maximum());
    texts << accessibleName(find("Zahl")) << accessibleName(find("SucheText1"))
          << accessibleName(w.button(Command::MoveDown));
    for (const auto &[label, relation] :
         QAccessible::queryAccessibleInterface(find("StellenAnzahl"))->relations())
        texts << QString("%1 %2").arg(label->text(QAccessible::Name)).arg(relation);
    for (int c = 0; c < accessibleList()->columnCount(); ++c)
        texts << accessibleList()->columnDescription(c);
    EXPECT_EQ(texts.join('|'),
              "Kesto - Rename|Kesto - Rename|Kandidaten zum Umbenennen|Steuerung|Liste l&öschen|"
              "&Alle auswählen|&Keine Auswahl|Auswahl &umkehren|&Datenverz. öffnen|&Umbenennen|"
              "&Ende|&Hilfe|&Rückgängig|&Info|&Kopie|Da&teien hinzufügen…|&Ordner "
              "hinzufügen…|Maske|Zähler|Suchen und Ersetzen|"
              "Schreibweise|Optionen|[name].[typ]|1|1|1|keine|beibehalten|"
              "0 von 0 Dateien markiert|0 von 0 Dateien markiert|8 8 12|Start bei|"
              "Satz 2: Ersetze|Markierte Einträge nach unten verschieben|Länge 1|Alter Name|"
              "Neuer Name|In Ordner|Größe|Typ|Letzte Änderung|Erstellung|Aufnahme (Exif)|Hinweis");

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    click(Command::OpenDataFolder);
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(catcher.urls,
              QList<QUrl>{QUrl::fromLocalFile(QFileInfo(w.paths().masksIni).absolutePath() + "/")});

    click(Command::Help);
    auto *help = w.findChild<QWidget *>("HelpWindow");
    ASSERT_TRUE(help && help->isVisible());
    EXPECT_TRUE(help->findChild<QTextBrowser *>()->toPlainText().contains("[ZUFALLSKETTE 8]"));
    QString info;
    test::whenShown<QMessageBox>([&info](QMessageBox *box) {
        info = box->text();
        box->accept();
    });
    click(Command::Info);
    EXPECT_TRUE(info.contains("Kesto " KESTO_VERSION)) << info.toStdString();
}

// Paths reach the list as the bytes given, also those that are no UTF-8; what is no local file is
// left out, what is no file is named once for each load: the first twenty and how many more.
TEST_F(MainWindowTest, FilesFromTheCommandLineOrDroppedAreLoadedAndAnEmptyDropIsRefused)
{
    MainWindow &w = start({QFile::encodeName(dir.write("mit blank.txt")), dir.path().toUtf8()});
    QSignalSpy empty(w.listView(), &FileListView::emptyDrop);
    QList<QUrl> dropped{QUrl::fromLocalFile(dir.write("b.txt")), QUrl("https://example.org/c.txt")};
    for (int i = 10; i < 35; ++i)
        dropped << QUrl::fromLocalFile(dir.file(QString("%1\n").arg(i)));
    dropUrls(dropped);
    dropUrls({QUrl("https://example.org/c.txt")});
    EXPECT_EQ(column(ColOldName) << panel(1),
              (QStringList{"b.txt", "mit blank.txt", "2 von 2 Dateien markiert"}));
    EXPECT_EQ(empty.count(), 1);
    const QStringList said = asked();
    EXPECT_EQ(said.mid(0, 1) << said.value(1).section('\r', 21),
              (QStringList{skippedHead + "D (ein Ordner)",
                           "D/29\\n (nicht vorhanden)\r… und 5 weitere"}));
    QMimeData mime;
    mime.setUrls({QUrl::fromEncoded("file:///tmp/caf%E9.txt")});
    EXPECT_EQ(FileListView::localPaths(&mime), QList<QByteArray>{"/tmp/caf\xe9.txt"});
}

// A drop with folders asks once which of their files to load: none (nor
// anything else of the drop), their own or those of all subfolders too,
// hidden ones as well; or it makes the folders themselves rows.
TEST_F(MainWindowTest, ADropWithFoldersAsksOnceWhichOfTheirFilesToLoad)
{
    MainWindow &w = start();
    for (const char *name : {"f/a.txt", "f/.b.txt", "f/u/v/c.txt", "g/d.txt", "e.txt"})
        dir.write(name);
    using Files = UserQuestions::FolderAnswer::Files;
    const std::pair<UserQuestions::FolderAnswer, QString> cases[] = {
        {{Files::None, true}, ""},
        {{Files::OwnFiles, false}, "a.txt d.txt e.txt"},
        {{Files::WithSubfolders, true}, ".b.txt a.txt c.txt d.txt e.txt"},
        {{Files::FolderItself, false}, "e.txt f g"},
    };
    for (const auto &[answer, names] : cases) {
        w.session().clearList();
        questions.folderAnswers = {answer};
        dropUrls({QUrl::fromLocalFile(dir.file("f")), QUrl::fromLocalFile(dir.file("e.txt")),
                  QUrl::fromLocalFile(dir.file("g"))});
        EXPECT_EQ(column(ColOldName).join(' '), names);
    }
    EXPECT_EQ(asked().join('|').count("folder|Sollen aus den 2 Ordnern nur die Dateien"), 4);
}

// A counter field typed into and a list chosen, in either order, within the
// refresh pause or after it: "Umbenennen" writes exactly the names shown. A
// change is "field=text" typed or "list:index" chosen. Every case starts from
// four digits led by zeros, so that each change shows in the names.
TEST_F(MainWindowTest, TheNamesRenamedAreTheNamesShownInEveryOrderOfFieldAndListChanges)
{
    const auto change = [this](const QString &what) {
        if (what.contains('='))
            type(what.section('=', 0, 0), what.section('=', 1));
        else
            find<QComboBox>(what.section(':', 0, 0))->setCurrentIndex(what.section(':', 1).toInt());
    };
    // The first change, the second and the names.
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"Zahl=7", "Vornullenzeichen:3", "___7.txt ___8.txt"},
        {"Vornullenzeichen:3", "Zahl=7", "___7.txt ___8.txt"},
        {"Schrittweite=10", "StellenAnzahl:0", "01.txt 11.txt"},
        {"StellenAnzahl:2", "Schrittweite=10", "001.txt 011.txt"}};
    for (const auto &[first, second, renamed] : cases)
        for (bool pauseBetween : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << first << ", then " << second << (pauseBetween ? ", after" : ", within")
                         << " the pause");
            for (const QString &file : dir.names())
                QFile::remove(dir.file(file));
            MainWindow &w = start();
            dropFiles({"001.txt", "002.txt"});
            change("Vornullenzeichen:1");
            change("StellenAnzahl:3");
            ASSERT_TRUE(preview("[zahl].[typ]"));
            QSignalSpy passes = passSpy();
            change(first);
            if (pauseBetween)
                passes.wait(4 * RefreshMs);
            change(second);
            ASSERT_TRUE(w.button(Command::Rename)->isEnabled() || passes.wait());
            const QStringList shown = column(ColNewName);
            click(Command::Rename);
            EXPECT_EQ(dir.names(), shown);
            EXPECT_EQ(shown.join(' '), renamed);
        }
}

TEST_F(MainWindowTest, CounterFieldsTakeDigitsOnlyTabInPageOrderAndPastedTextBecomesCanonical)
{
    start();
    auto *zahl = find<QLineEdit>("Zahl");
    type("Schrittweite", "9876543");
    type("Zahl", "a1-2 x3.4567890");
    QTest::keyClick(zahl, Qt::Key_Backspace);
    // At most five characters, and digits only, at most eight.
    EXPECT_EQ(find<QLineEdit>("Schrittweite")->text() + " " + zahl->text(), "98765 1234567");

    find<QTabBar>("MyTabStrip")->setCurrentIndex(1);
    zahl->deselect();
    QTest::mouseClick(zahl, Qt::LeftButton, {}, QPoint(4, zahl->height() / 2));
    EXPECT_TRUE(QTest::qWaitFor([zahl] { return zahl->selectedText() == "1234567"; }, 1000));

    QSignalSpy passes = passSpy();
    QGuiApplication::clipboard()->setText("-5");
    zahl->paste();
    EXPECT_EQ(zahl->text(), "-5") << "pasted text is taken as it comes";
    ASSERT_TRUE(passes.wait());
    EXPECT_EQ(zahl->text(), "5");
    EXPECT_FALSE(passes.wait(4 * RefreshMs)) << "the rewrite is no change of its own";

    QStringList tabOrder{zahl->objectName()};
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        tabOrder << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(tabOrder.join(" > "), "Zahl > Schrittweite > StellenAnzahl > Vornullenzeichen");
}

TEST_F(MainWindowTest, CheckMoveAndSortCommandsActOnTheRowsAndKeepTheHighlightAndCurrentRow)
{
    MainWindow &w = start();
    dropFiles({"1.txt", "2.txt", "3.txt", "4.txt", "5.txt", "6.txt"});
    FileListModel *model = w.listModel();
    auto icon = [&](int r) { return model->index(r, 0).data(Qt::DecorationRole).value<QIcon>(); };
    click(Command::UncheckAll);
    // A screen reader handles every signal on its own: the list tells the
    // view of whole blocks, not of rows one by one, and of the reasons with
    // the icons, which live in the first column.
    QSignalSpy changes(model, &QAbstractItemModel::dataChanged);
    click(Command::CheckAll);
    ASSERT_EQ(changes.count(), 2) << "the check marks, then the new names and icons";
    EXPECT_EQ(changes[1][1].toModelIndex(), model->index(5, FileListModel::HintColumn));

    w.listView()->selectionModel()->select(QItemSelection(model->index(2, 0), model->index(4, 0)),
                                           QItemSelectionModel::ClearAndSelect |
                                               QItemSelectionModel::Rows);
    QSignalSpy passes = passSpy();
    click(Command::MoveDown);
    EXPECT_EQ(highlighted(), (QList<int>{3, 4, 5}));
    EXPECT_FALSE(w.button(Command::MoveDown)->isEnabled()) << "the last row is highlighted";
    EXPECT_TRUE(icon(3).isNull()) << "a moved row shows no icon";
    ASSERT_TRUE(passes.wait());
    EXPECT_EQ(highlighted(), (QList<int>{3, 4, 5})) << "the preview keeps the highlight";
    EXPECT_EQ(icon(0).cacheKey(), model->normalIcon().cacheKey());
    ASSERT_TRUE(preview("["));
    EXPECT_EQ(icon(0).cacheKey(), model->errorIcon().cacheKey());

    // Clicking "Größe" sorts by size; "Kopie" copies that order.
    MainWindow &sorted = start();
    dropFiles({"a12.txt", "b.txt", "c1234.txt"}); // 7, 5 and 9 bytes
    // The caret, where a keyboard or screen reader user stands, stays on a12.txt.
    sorted.listView()->setCurrentIndex(sorted.listModel()->index(0, ColFolder));
    QHeaderView *header = sorted.listView()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(ColSize) + 10, header->height() / 2));
    EXPECT_EQ(header->sortIndicatorSection(), int(ColSize));
    EXPECT_EQ(highlighted(), QList<int>{1});
    EXPECT_EQ(sorted.listView()->currentIndex(), sorted.listModel()->index(1, ColFolder));
    click(Command::CopyNames);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "Vorher\tNachher\r\nb.txt\tb.txt\r\na12.txt\ta12.txt\r\nc1234.txt\tc1234.txt\r\n");
}

// What the undo would undo is told by its tooltip and to a screen reader;
// the status bar keeps what the undo did.
TEST_F(MainWindowTest, RueckgaengigSaysWhatItUndoesAndIsDisabledWhenNothingIsLeft)
{
    MainWindow &w = start();
    QPushButton *undo = w.button(Command::Undo);
    auto offered = [undo] {
        EXPECT_EQ(undo->accessibleDescription(), undo->toolTip());
        EXPECT_EQ(undo->isEnabled(), !undo->toolTip().isEmpty());
        return undo->toolTip().replace(shownTime, "T");
    };
    EXPECT_EQ(offered(), "");
    dropFiles({"a.txt", "b.txt"});
    ASSERT_TRUE(preview("x_[name].[typ]"));
    click(Command::Rename);
    questions.confirmAnswers = {false, true};
    click(Command::Undo);
    EXPECT_EQ(offered(), "Macht die Umbenennung vom T rückgängig (2 Dateien)") << "No does nothing";
    click(Command::Undo);
    EXPECT_EQ(asked(),
              QStringList(2, "confirm|Umbenennung vom T in D/ (2 Dateien) rückgängig machen?"));
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "b.txt"}));
    EXPECT_EQ(panel(2), messages::undoDone(2)) << "the preview after the undo keeps it";
    EXPECT_EQ(offered(), "");
}

// F8 works from anywhere in the window; each step focuses the row, scrolls it
// into view and says nothing in the status bar, unless there is no fault.
TEST_F(MainWindowTest, RowsGiveTheirReasonAndNaechsterFehlerWalksTheFaultyRowsRoundTheList)
{
    MainWindow &w = start();
    click(Command::NextFault);
    EXPECT_EQ(panel(2), "Keine fehlerhaften Namen gefunden.");
    QStringList names;
    for (int i = 0; i < 30; ++i)
        names << QString("n%1.txt").arg(i, 2, 10, QChar('0'));
    // Each of these takes the new name of the file before it, which keeps its own.
    dropFiles(names + QStringList{"n00x.txt", "n15x.txt", "n29x.txt"}); // rows 1, 17, 32
    ASSERT_TRUE(preview("[1-3].[typ]"));
    ASSERT_EQ(panel(2), messages::notUnique()) << "marked while typing";
    FileListModel *model = w.listModel();
    QAccessibleTableInterface *table = accessibleList();
    auto reasons = [&](int row) {
        return QStringList{model->index(row, FileListModel::HintColumn).data().toString(),
                           model->index(row, ColFolder).data(Qt::ToolTipRole).toString(),
                           table->cellAt(row, ColOldName)->text(QAccessible::Description),
                           table->cellAt(row, ColFolder)->text(QAccessible::Description)};
    };
    const QString twice = messages::reasonDuplicate();
    EXPECT_EQ(reasons(1) + reasons(2) + reasons(32),
              QStringList(4, twice) + QStringList(4, "") + QStringList(4, twice));

    FileListView *list = w.listView();
    list->selectionModel()->setCurrentIndex(model->index(17, ColFolder),
                                            QItemSelectionModel::NoUpdate);
    w.maskField()->setFocus();
    QStringList walk;
    for (int i = 0; i < 3; ++i) {
        if (i == 1)
            click(Command::NextFault);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
        const QModelIndex at = list->currentIndex();
        walk << QString("%1:%2:%3:%4:%5")
                    .arg(at.row())
                    .arg(at.column() == ColFolder)
                    .arg(highlighted() == QList<int>{at.row()})
                    .arg(list->viewport()->rect().contains(list->visualRect(at)))
                    .arg(list->hasFocus());
    }
    EXPECT_EQ(walk.join(' '), "32:1:1:1:1 1:1:1:1:1 17:1:1:1:1");
    EXPECT_FALSE(passSpy().wait(4 * RefreshMs)) << "no click on the list, so no refresh";
    EXPECT_EQ(panel(2), messages::notUnique());
    ASSERT_TRUE(preview("["));
    EXPECT_EQ(reasons(1)[2], "Fehler") << "a mask error gives no reason of its own";
    // A companion says whose it is, beneath that row; n00x.txt is none of n00.txt.
    dropFiles({"n01.txt.xmp"});
    find<QCheckBox>("BegleitdateienChk")->click();
    ASSERT_TRUE(preview("[name].[typ]"));
    EXPECT_EQ(reasons(1) + reasons(3),
              QStringList(4, "") + QStringList(4, "Begleitdatei von n01.txt"));
}

// "Nein" leaves the batch to the undo command, "Ja" at the next start undoes it unasked; files
// read while the window builds itself are read again after a repair.
TEST_F(MainWindowTest, AnInterruptedBatchIsOfferedForRepairAtStartAndUndoneOnJa)
{
    dir.write("a.txt", "a");
    dir.write("sub/b.txt", "b");
    const QByteArray folder = QFile::encodeName(dir.path() + "/");
    QList<JournalEntry> entries{{{folder, "a.txt", "A.txt", {}}},
                                {{folder + "sub/", "b.txt", "B.txt", {}}}};
    ASSERT_TRUE(Journal().begin(entries));
    ASSERT_TRUE(QFile::rename(dir.file("a.txt"), dir.file("A.txt")));
    const QList<QByteArray> files{QFile::encodeName(dir.file("A.txt")),
                                  QFile::encodeName(dir.file("sub/b.txt"))};
    // Read to its end before the repair, so that stale rows are there to keep.
    QStringList told;
    const auto startReadingAhead = [&](MainWindow &w) {
        QObject::connect(&w.session().status(), &StatusLine::panel2Changed,
                         [&told](const QString &text) { told << text; });
        auto ahead = std::make_unique<RowsReadAhead>(files);
        ASSERT_TRUE(ahead->waitFor(std::chrono::seconds(10)));
        w.setReadAhead(std::move(ahead));
    };
    // The answer, then the files on disk followed by the rows.
    const std::pair<bool, QStringList> starts[] = {{false, {"A.txt", "sub", "A.txt", "b.txt"}},
                                                   {true, {"a.txt", "sub", "b.txt"}}};
    for (const auto &[answer, shown] : starts) {
        questions.confirmAnswers = {answer};
        MainWindow &w = start(files, startReadingAhead);
        EXPECT_EQ(dir.names() + column(ColOldName), shown);
        EXPECT_EQ(w.button(Command::Undo)->isEnabled(), !answer);
    }
    const QString repair = "confirm|Die letzte Umbenennung (vom T in D/ und 1 weiteren Ordner, 2 "
                           "Dateien) wurde unterbrochen. Sollen die bereits umbenannten Dateien "
                           "ihre alten Namen zurückbekommen?";
    EXPECT_EQ(asked(), (QStringList{repair, repair, skippedHead + "D/A.txt (nicht vorhanden)"}));
    EXPECT_TRUE(told.contains(messages::undoDone(1))) << told.join('\n').toStdString();
}

// Files come through dialogs that open where files were last added from; a
// folder asks as a drop does, its own files are not hidden ones nor those of
// its sub-folders. The list's menu opens by Shift+F10 and the Menu key; it and
// Delete act on the highlighted rows, and open the folder of the row the caret
// stands on. A screen reader hears of each check box a command changed among
// the rows it can see, and of no other, however long the list.
TEST_F(MainWindowTest, DialogsAddFilesTheListsMenuAndDeleteActOnRowsAScreenReaderHearsChecks)
{
    MainWindow &w = start();
    for (int i = 0; i < 40; ++i)
        dir.write(QString("%1%2.txt").arg(QChar('a' + i / 10)).arg(i % 10));
    for (const char *name : {".hidden", "f/x.txt", "f/y.txt"})
        dir.write(name);
    dir.writeBytes("caf\xe9.txt");
    questions.folderAnswers = {{UserQuestions::FolderAnswer::Files::OwnFiles, false}};
    QStringList openedAt, heard, menus, allSeen;
    // Where the dialog is taken (none: it is cancelled) and the names typed.
    for (const auto &[folder, typed] :
         {std::pair{dir.file("f"), "x.txt"}, {dir.path(), ""}, {QString(), ""}}) {
        test::whenShown<QFileDialog>([&openedAt, folder = folder, typed = typed](QFileDialog *d) {
            openedAt << d->directory().absolutePath();
            d->setDirectory(folder);
            d->findChild<QLineEdit *>("fileNameEdit")->setText(typed);
            QMetaObject::invokeMethod(d, folder.isEmpty() ? "reject" : "accept");
        });
        if (openedAt.isEmpty())
            QTest::keyClick(w.maskField(), Qt::Key_O, Qt::ControlModifier);
        else
            click(openedAt.size() == 1 ? Command::AddFolder : Command::AddFiles);
    }
    const QStringList added = column(ColOldName);
    EXPECT_EQ(QString("%1 %2 %3 ").arg(added.size()).arg(added.value(30), added.value(41)) +
                  GetSettingValue("LetzterOrdner", ""),
              "42 caf\u00e9.txt x.txt " + dir.path());
    EXPECT_EQ(openedAt, (QStringList{QDir::homePath(), dir.file("f"), dir.path()}));
    EXPECT_EQ(asked().join(' ').section(" darin", 0, 0),
              "folder|Sollen aus dem Ordner „D“ nur die Dateien");
    FileListView *list = w.listView();
    list->setAnnouncer([&heard](QAccessibleEvent *e) {
        if (QAccessibleInterface *box = e->accessibleInterface();
            static_cast<QAccessibleStateChangeEvent *>(e)->changedStates().checked)
            heard << QString::number(box->tableCellInterface()->rowIndex()) +
                         "-+"[box->state().checked];
    });
    for (int r = 0; r <= list->rowAt(list->viewport()->height() - 1); ++r)
        allSeen << QString::number(r) + "-";
    ASSERT_LT(allSeen.size(), 30);
    list->setCurrentIndex(list->model()->index(3, ColFolder));
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    // A button, a key, or a key and the menu's entry; the rows highlighted; the
    // first rows after, checked (+) or not; what a screen reader heard.
    const std::tuple<QString, int, int, QString, QString> steps[] = {
        {"Btn3", -1, -1, "a0- a1- a2- a3-", allSeen.join(' ')},
        {"Space", -1, -1, "a0- a1- a2- a3+", "3+"},
        {"Btn2", -1, -1, "a0- a1- a2- a3-", "3-"},
        {"Shift+F10>&Auswählen", 1, 2, "a0- a1+ a2+ a3-", "1+ 2+"},
        {"Menu>Auswahl auf&heben", 2, 3, "a0- a1+ a2- a3-", "2-"},
        {"Del", 0, 1, "a2- a3- a4- a5-", ""},
        {"Shift+F10>Aus der Liste &entfernen", 3, 3, "a2- a3- a4- a6-", ""},
        {"Menu>Ordner der Datei ö&ffnen", -1, -1, "a2- a3- a4- a6-", ""}};
    for (const auto &[command, first, last, after, said] : steps) {
        list->selectionModel()->select(
            QItemSelection(list->model()->index(first, 0), list->model()->index(last, 0)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        heard.clear();
        w.activateWindow(); // offscreen, a closed menu leaves no window active
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        list->setFocus();
        const QString key = command.section('>', 0, 0);
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, {});
        const auto press = [&] {
            key == "Menu"           ? void(QApplication::sendEvent(w.windowHandle(), &menuKey))
            : key.startsWith("Btn") ? QTest::mouseClick(find<QPushButton>(key), Qt::LeftButton)
                                    : QTest::keySequence(list, QKeySequence(key));
        };
        if (command.contains('>'))
            menus << test::chooseFromMenu(press, command.section('>', 1)).join(',');
        else
            press();
        QStringList rows;
        for (int r = 0; r < 4; ++r)
            rows << w.session().list().at(r).oldName.left(2) +
                        "-+"[w.session().list().at(r).checked];
        EXPECT_EQ(rows.join(' ') + "|" + heard.join(' '), after + "|" + said)
            << command.toStdString();
    }
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(dir.path() + "/")});
    EXPECT_EQ(menus.first().section(',', 3) + "|" + menus.last().section(',', 0, 2),
              "|,Ordner der Datei ö&ffnen,|,Da&teien hinzufügen…,&Ordner hinzufügen…,|,&Namen "
              "aus Liste…,Namen aus der &Zwischenablage,Ta&belle laden…|"
              "-Aus der Liste &entfernen,-&Auswählen,-Auswahl auf&heben");
}

// The list's menu reads names from a file or the clipboard and a table from a
// file, each previewed at once; the lines of the table that name no file are
// told once; the check box numbers clashes.
TEST_F(MainWindowTest, NamesFromAFileTheClipboardOrATableShowAtOnceAndClashesAreNumberedOnRequest)
{
    MainWindow &w = start();
    dropFiles({"a.txt", "b.txt"});
    dir.write("namen.txt", "Eins\r\nEins\r\n");
    dir.write("tabelle.csv", "a.txt;A\nfehlt.txt;F\nb.txt;A\n");
    ASSERT_TRUE(preview("[liste] [spalte 2].[typ]"));
    QStringList shown;
    const auto choose = [&](const QString &entry, const QString &file) {
        QTimer answer; // the dialog comes up once the menu is gone
        QObject::connect(&answer, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *d = qobject_cast<QFileDialog *>(modal)) {
                d->selectFile(dir.file(file));
                QMetaObject::invokeMethod(d, "accept");
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                // Whatever the dialog says, the test says it and goes on.
                ADD_FAILURE() << box->text().toStdString();
                box->reject();
            }
        });
        answer.start(10);
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, {});
        w.activateWindow(); // offscreen, a closed dialog leaves no window active
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        w.listView()->setFocus();
        test::chooseFromMenu([&] { QApplication::sendEvent(w.windowHandle(), &menuKey); }, entry);
        shown << column(ColNewName).join('|') + '|' + panel(2);
    };
    choose("Ta&belle laden…", "tabelle.csv");
    choose("&Namen aus Liste…", "namen.txt");
    QSignalSpy passes = passSpy();
    QTest::mouseClick(find<QCheckBox>("DoppelteNummerierenChk"), Qt::LeftButton);
    ASSERT_TRUE(passes.wait());
    shown << column(ColNewName).join('|') + '|' + panel(1);
    QGuiApplication::clipboard()->setText("Zwei");
    choose("Namen aus der &Zwischenablage", {});
    EXPECT_EQ(shown, (QStringList{" A.txt| A.txt|" + namingmessages::noNameList(),
                                  "Eins A.txt|Eins A.txt|" + messages::notUnique(),
                                  "Eins A.txt|Eins A (2).txt|2 von 2 Dateien markiert, 2 Namen in "
                                  "der Liste, 3 Zeilen in der Tabelle",
                                  "Zwei A.txt| A.txt|" + namingmessages::listCountDiffers(1, 2)}));
    EXPECT_EQ(asked(), QStringList{"okcancel|Diese Zeilen der Tabelle gehören zu keiner Datei der "
                                   "Liste:\r\rZeile 2: fehlt.txt"});
}

// Every option control as "name=value", in the window's order.
QStringList controls(const QWidget &w)
{
    QStringList state;
    for (const QLineEdit *e : w.findChildren<QLineEdit *>())
        state << e->objectName() + "=" + e->text();
    for (const QCheckBox *b : w.findChildren<QCheckBox *>())
        state << b->objectName() + "=" + QString::number(b->isChecked());
    for (const QComboBox *c : w.findChildren<QComboBox *>())
        state << c->objectName() + "=" + c->currentText();
    return state;
}

// The geometry of a control of each layout rule, then the widths of a growing
// and a fixed column.
QList<QRect> layout(const MainWindow &w)
{
    QList<QRect> out;
    for (const char *name : {"Liste", "Frame2", "Bar", "Frame3"})
        out << w.findChild<QWidget *>(name)->geometry();
    for (int c = 2; c < 4; ++c)
        out << QRect(0, 0, w.listView()->horizontalHeader()->sectionSize(c), 1);
    return out;
}

TEST_F(MainWindowTest,
       EndAndRestartRestoreOptionsPlacementWithItsLayoutFontAndTooltipsButNotTopMost)
{
    MainWindow &first = start();
    const QSize designed = MainWindow::designedSize();
    EXPECT_EQ(first.minimumSize(), QSize(800, designed.height()));
    const QList<QRect> d = layout(first);
    dropFiles({"a.txt"});
    int n = 10;
    for (QLineEdit *e : first.findChildren<QLineEdit *>())
        e->setText(QString::number(n++)); // digits suit every field, the mask included
    // Every box on but the tooltip switch and, so that no box of a replacement
    // set can stand in for another, one of each kind, in different sets.
    const QStringList off{"ToolTipCheck",          "SucheErsetzeAktivChk0",
                          "SucheErsetzeAktivChk2", "SucheUndErsetzenImNeuenStattAltenNamenChk1",
                          "GrossKleinChk0",        "RegulaererAusdruckChk2"};
    for (QCheckBox *b : first.findChildren<QCheckBox *>())
        b->setChecked(!off.contains(b->objectName()));
    for (QComboBox *c : first.findChildren<QComboBox *>())
        c->setCurrentIndex(c->count() - 2);
    EXPECT_TRUE(first.isVisible() && first.windowFlags() & Qt::WindowStaysOnTopHint);
    find<QSlider>("FontSizeSlider")->setValue(11);
    const QRect placement(QPoint(40, 30), designed + QSize(100, 40));
    first.resize(placement.size());
    first.move(placement.topLeft());
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.pos() == placement.topLeft(); }));
    // 1500 and 600 twips more: the list grows both ways, the band below moves
    // down and grows in width, the bar grows in width, the command frame moves
    // right, and each of the first three columns takes a quarter of the width.
    const QList<QRect> grown{d[0].adjusted(0, 0, 100, 40), d[1].adjusted(0, 40, 100, 40),
                             d[2].adjusted(0, 0, 100, 0),  d[3].translated(100, 0),
                             d[4].adjusted(0, 0, 25, 0),   d[5]};
    EXPECT_EQ(layout(first), grown);
    QStringList expected = controls(first);
    expected.replaceInStrings("TopMostChk=1", "TopMostChk=0");
    click(Command::Close);

    MainWindow &second = start();
    EXPECT_EQ(controls(second), expected);
    EXPECT_EQ(second.listView()->font().pointSize(), 11);
    EXPECT_EQ(QRect(second.pos(), second.size()), placement);
    EXPECT_EQ(layout(second), grown);
    EXPECT_FALSE(second.windowFlags() & Qt::WindowStaysOnTopHint);
    second.resize(designed);
    EXPECT_TRUE(QTest::qWaitFor([&] { return layout(second) == d; })) << "back to the design";
}

} // namespace

#include "mainwindow_test.moc"

// The full test runs with every preview: a folder nothing may be written to
// and a character a FAT drive refuses mark their rows while the user types,
// and "Umbenennen" stays off.
// With the English texts installed the window is English, down to the
// choices of a list and the mark of a mask error, which the core keeps German.
TEST_F(MainWindowTest, WithTheEnglishTextsTheWindowIsEnglish)
{
    QTranslator english; // leaves the application with the test
    ASSERT_TRUE(english.load(":/i18n/kesto_en.qm") &&
                QCoreApplication::installTranslator(&english));
    MainWindow &w = start();
    dropFiles({"a.jpg"});
    ASSERT_TRUE(preview("[name"));
    EXPECT_EQ(
        QStringList({w.button(Command::Rename)->text(),
                     find<QComboBox>("Schreibweise")->itemText(1), column(ColNewName).value(0)}),
        QStringList({"&Rename", "all upper case", "< Mask error >"}));
}

TEST_F(MainWindowTest, FaultsOfTheFolderAndTheDriveShowWhileTypingAndRenameStaysOff)
{
    MainWindow &w = start();
    const test::FatDrive fat;
    const QString onFat = fat.drive.path() + "/d.txt";
    QFile(onFat).open(QIODevice::WriteOnly);
    const QUrl locked = QUrl::fromLocalFile(dir.write("ro/c.txt", "c"));
    const test::ReadOnly fixed{dir.path() + "/ro"};
    if (!fat.mounted || !fixed.made)
        GTEST_SKIP() << "needs a FAT drive through FUSE and a read-only folder";
    dropUrls({locked, QUrl::fromLocalFile(onFat)});
    type("SucheText0", "d");
    type("ErsetzeText0", "d:");
    QTest::mouseClick(find<QCheckBox>("SucheErsetzeAktivChk0"), Qt::LeftButton);
    ASSERT_TRUE(preview("[name]1.[typ]"));
    EXPECT_EQ(column(FileListModel::HintColumn),
              (QStringList{"Ordner nicht beschreibbar",
                           "Zeichen ':' ist auf diesem Laufwerk nicht erlaubt"}));
    EXPECT_FALSE(w.button(Command::Rename)->isEnabled());
}

// Files that vanish under the batch's feet are asked about once ("Alle
// überspringen" spares the second question), summed up in one message, keep
// their reason; the status does not say "abgeschlossen", and a batch that
// moved nothing is nothing to undo.
TEST_F(MainWindowTest, FailuresAreAskedOnceSummedUpOnceAndLeaveNothingToUndo)
{
    MainWindow &w = start();
    dropFiles({"a.txt", "b.txt"});
    ASSERT_TRUE(preview("[name]2.[typ]"));
    QFile::remove(dir.file("a.txt"));
    QFile::remove(dir.file("b.txt"));
    questions.failureAnswers = {UserQuestions::FailureAnswer::SkipAll};
    click(Command::Rename);
    const QStringList said = asked();
    ASSERT_EQ(said.size(), 2);
    EXPECT_TRUE(said[0].startsWith("failure|"));
    EXPECT_TRUE(said[1].startsWith("okcancel|0 von 2 Dateien wurden umbenannt."));
    EXPECT_EQ(column(FileListModel::HintColumn),
              QStringList(2, messages::renameFailureReason(ENOENT)));
    EXPECT_EQ(panel(2), messages::renamePartly(0, 2));
    EXPECT_FALSE(w.button(Command::Undo)->isEnabled());
}
