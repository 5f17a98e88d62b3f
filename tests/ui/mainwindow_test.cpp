#include "rename/journal.h"
#include "rename/messages.h"
#include "storage/savedmasks.h"
#include "ui/filelistmodel.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSlider>
#include <QTabBar>
#include <QTextBrowser>

using namespace kesto;

namespace {

class MainWindowTest : public kesto::test::WindowTest
{
protected:
    // The checked rows, or with \a checked false the highlighted ones.
    QList<int> rows(bool checked)
    {
        QList<int> out;
        for (int r = 0; r < window().listModel()->rowCount(); ++r) {
            if (checked ? window().listModel()->index(r, 0).data(Qt::CheckStateRole) == Qt::Checked
                        : window().listView()->selectionModel()->isRowSelected(r))
                out << r;
        }
        return out;
    }
    void highlight(int first, int last)
    {
        const FileListModel *m = window().listModel();
        window().listView()->selectionModel()->select(
            QItemSelection(m->index(first, 0), m->index(last, m->columnCount() - 1)),
            QItemSelectionModel::ClearAndSelect);
    }
    static QString accessibleName(QWidget *w)
    {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).trimmed();
    }
};

TEST_F(MainWindowTest, AFreshStartShowsTheDefaultsAndAnEmptyList)
{
    MainWindow &w = start();
    QStringList texts{w.windowTitle(), accessibleName(&w), find<QGroupBox>("Frame1")->title(),
                      find<QGroupBox>("Frame3")->title()};
    for (int i : {0, 1, 2, 3, 4, 8, 9, 10, 11, 25, 32})
        texts << w.button(Command(i))->text();
    auto *tabs = find<QTabBar>("MyTabStrip");
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    for (const char *field : {"Maske", "Zahl", "Schrittweite"})
        texts << find<QLineEdit>(field)->text();
    for (const char *list : {"StellenAnzahl", "Vornullenzeichen", "Schreibweise"})
        texts << find<QComboBox>(list)->currentText();
    const QSlider *slider = find<QSlider>("FontSizeSlider");
    texts << panel(1)
          << QString("%1 %2 %3").arg(slider->minimum()).arg(slider->value()).arg(slider->maximum());
    EXPECT_EQ(texts.join('|'), "Kesto - Rename|Kesto - Rename|Kandidaten zum Umbenennen|Steuerung|"
                               "Liste l&öschen|&Alle auswählen|&Keine Auswahl|Auswahl &umkehren|"
                               "&Datenverz. öffnen|&Umbenennen|&Ende|&Hilfe|&Rückgängig|&Info|"
                               "&Kopie|Maske|Zähler|Suchen und Ersetzen|Schreibweise|Optionen|"
                               "[name].[typ]|1|1|1|keine|beibehalten|0 von 0 Dateien markiert|"
                               "8 8 12");
    EXPECT_EQ(w.size(), MainWindow::designedSize());
}

TEST_F(MainWindowTest, FilesFromTheCommandLineOrDroppedAreLoadedAndAnEmptyDropIsRefused)
{
    MainWindow &w = start(
        {QFile::encodeName(dir.write("mit blank.txt")), QFile::encodeName(dir.file("fehlt.txt"))});
    EXPECT_EQ(column(ColOldName), QStringList{"mit blank.txt"});
    dropUrls({QUrl::fromLocalFile(dir.write("b.txt")), QUrl::fromLocalFile(dir.mkdir("Ordner")),
              QUrl("https://example.org/c.txt"), QUrl::fromLocalFile(dir.write("a.txt"))});
    EXPECT_EQ(column(ColOldName), (QStringList{"a.txt", "b.txt", "mit blank.txt"}));
    QSignalSpy empty(w.listView(), &FileListView::emptyDrop);
    dropUrls({QUrl("https://example.org/c.txt")});
    EXPECT_EQ(empty.count(), 1);
    EXPECT_EQ(panel(1), "3 von 3 Dateien markiert");
}

TEST(FileListViewDrop, LocalFileUrlsBecomeTheBytesOfTheirPaths)
{
    QMimeData mime;
    mime.setUrls({QUrl::fromEncoded("file:///tmp/caf%E9.txt")});
    EXPECT_EQ(FileListView::localPaths(&mime), QList<QByteArray>{"/tmp/caf\xe9.txt"});
}

TEST_F(MainWindowTest, ABurstOfKeysGivesOnePreviewThatCopyTakesAndRenameCarriesOutOnDisk)
{
    MainWindow &w = start();
    dropFiles({"b.txt", "a.txt"});
    ASSERT_TRUE(w.button(Command::Rename)->isEnabled());
    QSignalSpy passes = passSpy();
    type("Maske", "Foto_[zahl].[typ]");
    EXPECT_FALSE(w.button(Command::Rename)->isEnabled()) << "from the first key to the preview";
    ASSERT_TRUE(passes.wait());
    EXPECT_FALSE(passes.wait(4 * RefreshMs)) << "one pass, and none without a change";
    click(Command::CopyNames);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "Vorher\tNachher\r\na.txt\tFoto_1.txt\r\nb.txt\tFoto_2.txt\r\n");
    click(Command::Rename);
    EXPECT_EQ(dir.names(), (QStringList{"Foto_1.txt", "Foto_2.txt"}));
    EXPECT_EQ(panel(2), messages::renameDone());
}

// A counter field typed into and a list chosen, in either order, within the
// refresh pause or after it: "Umbenennen" writes exactly the names shown. A
// change is "field=text" typed or "list:index" chosen.
TEST_F(MainWindowTest, TheNamesRenamedAreTheNamesShownInEveryOrderOfFieldAndListChanges)
{
    const auto change = [this](const QString &what) {
        if (what.contains('='))
            type(what.section('=', 0, 0), what.section('=', 1));
        else
            find<QComboBox>(what.section(':', 0, 0))->setCurrentIndex(what.section(':', 1).toInt());
    };
    // The first change, the second, whether the refresh ran between them, the names.
    const std::tuple<const char *, const char *, bool, const char *> cases[] = {
        {"Zahl=7", "Vornullenzeichen:1", false, "7.txt 8.txt"},
        {"Zahl=7", "Vornullenzeichen:1", true, "7.txt 8.txt"},
        {"Vornullenzeichen:1", "Zahl=7", false, "7.txt 8.txt"},
        {"Schrittweite=10", "StellenAnzahl:0", false, "01.txt 11.txt"},
        {"Schrittweite=10", "StellenAnzahl:0", true, "01.txt 11.txt"},
        {"StellenAnzahl:2", "Schrittweite=10", false, "001.txt 011.txt"},
        {"StellenAnzahl:2", "Schrittweite=10", true, "001.txt 011.txt"}};
    for (const auto &[first, second, pauseBetween, renamed] : cases) {
        const QString name = QString("%1, then %2, %3 the pause")
                                 .arg(first, second, pauseBetween ? "after" : "within");
        SCOPED_TRACE(name.toStdString());
        for (const QString &file : dir.names())
            QFile::remove(dir.file(file));
        MainWindow &w = start();
        dropFiles({"001.txt", "002.txt"});
        // A digit count other than the first, so that choosing the first is a change.
        if (name.contains("StellenAnzahl")) {
            change("Vornullenzeichen:1");
            change("StellenAnzahl:3");
        }
        ASSERT_TRUE(preview("[zahl].[typ]"));
        QSignalSpy passes = passSpy();
        change(first);
        if (pauseBetween)
            passes.wait();
        change(second);
        if (!w.button(Command::Rename)->isEnabled()) {
            ASSERT_TRUE(passes.wait());
        }
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

// Each box of a replacement set switches its own option of its own set, and
// the preview follows.
TEST_F(MainWindowTest, EachBoxOfAReplacementSetSwitchesOnlyItsOwnOption)
{
    MainWindow &w = start();
    dropFiles({"a.txt"});
    find<QLineEdit>("SucheText1")->setText("neu");
    find<QLineEdit>("ErsetzeText1")->setText("alt");
    ASSERT_TRUE(preview("neu_[name].[typ]"));
    QSignalSpy passes = passSpy();
    auto clickAndShow = [&](const QString &box) {
        find<QCheckBox>(box)->click();
        EXPECT_TRUE(passes.wait());
        QStringList s;
        for (const SearchReplaceSet &set : w.session().options().sets)
            s << QString("%1%2").arg(set.active).arg(set.inNewName);
        return s.join(' ') + " " + column(ColNewName).join(' ');
    };
    EXPECT_EQ(clickAndShow("SucheErsetzeAktivChk1"), "00 10 00 neu_a.txt")
        << "the old name a.txt holds no 'neu'";
    EXPECT_EQ(clickAndShow("SucheUndErsetzenImNeuenStattAltenNamenChk1"), "00 11 00 alt_a.txt");
}

TEST_F(MainWindowTest, CheckAndMoveCommandsActOnTheRowsAndKeepTheHighlight)
{
    MainWindow &w = start();
    dropFiles({"1.txt", "2.txt", "3.txt", "4.txt", "5.txt", "6.txt"});
    FileListModel *model = w.listModel();
    auto icon = [&](int r) { return model->index(r, 0).data(Qt::DecorationRole).value<QIcon>(); };
    highlight(1, 1);
    click(Command::UncheckAll);
    EXPECT_EQ(panel(1), "0 von 6 Dateien markiert");
    // A screen reader handles every signal on its own: the list tells the
    // view of whole blocks, not of rows one by one.
    QSignalSpy changes(model, &QAbstractItemModel::dataChanged);
    click(Command::CheckAll);
    EXPECT_EQ(changes.count(), 2) << "the check marks, then the new names and icons";
    model->setData(model->index(1, 0), Qt::Unchecked, Qt::CheckStateRole); // the row's box
    click(Command::InvertChecks);
    EXPECT_EQ(rows(true) + rows(false), (QList<int>{1, 1})) << "checked, then highlighted";
    w.listView()->setFocus();
    w.listView()->setCurrentIndex(model->index(2, ColFolder));
    QTest::keyClick(w.listView(), Qt::Key_Space);
    EXPECT_EQ(rows(true), (QList<int>{1, 2}));

    highlight(2, 4);
    QSignalSpy passes = passSpy();
    click(Command::MoveDown);
    EXPECT_EQ(column(ColOldName).join(' '), "1.txt 2.txt 6.txt 3.txt 4.txt 5.txt");
    EXPECT_EQ(rows(false), (QList<int>{3, 4, 5}));
    EXPECT_FALSE(w.button(Command::MoveDown)->isEnabled()) << "the last row is highlighted";
    EXPECT_TRUE(icon(3).isNull()) << "a moved row shows no icon";
    ASSERT_TRUE(passes.wait());
    EXPECT_EQ(rows(false), (QList<int>{3, 4, 5})) << "the preview keeps the highlight";
    EXPECT_EQ(icon(0).cacheKey(), model->normalIcon().cacheKey());
    click(Command::MoveUp);
    EXPECT_EQ(rows(false), (QList<int>{2, 3, 4}));
    ASSERT_TRUE(preview("["));
    EXPECT_EQ(icon(0).cacheKey(), model->errorIcon().cacheKey());
}

TEST_F(MainWindowTest, ClickingGroesseTwiceSortsBySizeUpThenDownKeepingHighlightAndCurrentCell)
{
    MainWindow &w = start();
    dropFiles({"a12.txt", "b.txt", "c1234.txt"}); // 7, 5 and 9 bytes
    highlight(1, 1);
    // The caret, where a keyboard or screen reader user stands, stays on b.txt.
    w.listView()->setCurrentIndex(w.listModel()->index(1, ColFolder));
    QHeaderView *header = w.listView()->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(ColSize) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(column(ColOldName).join(' ') + QString(" %1").arg(header->sortIndicatorOrder()),
              "b.txt a12.txt c1234.txt 0");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(column(ColOldName).join(' ') + QString(" %1").arg(header->sortIndicatorOrder()),
              "c1234.txt a12.txt b.txt 1");
    EXPECT_EQ(header->sortIndicatorSection(), int(ColSize));
    EXPECT_EQ(rows(false), QList<int>{2});
    EXPECT_EQ(w.listView()->currentIndex(), w.listModel()->index(2, ColFolder));
}

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls << url; }
};

TEST_F(MainWindowTest, MaskButtonsHelpInfoAndTheDataFolderReachTheirTargets)
{
    MainWindow &w = start();
    w.maskField()->setText("Urlaub [zahl].[typ]");
    questions.textAnswers = {"Urlaub"};
    click(Command::SaveMask);
    RenameOptions saved;
    LoadMask("Urlaub", saved, w.paths().masksIni);
    EXPECT_EQ(saved.mask, "Urlaub [zahl].[typ]");
    click(Command::ResetMask);
    EXPECT_EQ(w.maskField()->text(), "[name].[typ]");
    EXPECT_EQ(QApplication::focusWidget(), w.maskField());

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

// The undo command offers the newest batch not yet undone, then the one
// before, and nothing once an undo has run on each; it says which by its
// tooltip and to a screen reader.
TEST_F(MainWindowTest, RueckgaengigUndoesTheNewestBatchFirstAndIsDisabledWhenNothingIsLeft)
{
    MainWindow &w = start();
    QPushButton *undo = w.button(Command::Undo);
    auto offered = [undo] {
        static const QRegularExpression time(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d)");
        EXPECT_EQ(undo->accessibleDescription(), undo->toolTip());
        EXPECT_EQ(undo->isEnabled(), !undo->toolTip().isEmpty());
        return undo->toolTip().replace(time, "T").replace("Macht die Umbenennung vom T", "");
    };
    EXPECT_EQ(offered(), "");

    // An unchecked row stays in the list through every batch.
    dropFiles({"a.txt", "b.txt", "bleibt.txt"});
    w.listModel()->setData(w.listModel()->index(2, 0), Qt::Unchecked, Qt::CheckStateRole);
    ASSERT_TRUE(preview("x_[name].[typ]"));
    click(Command::Rename);
    EXPECT_EQ(offered(), " rückgängig (2 Dateien)");
    dropFiles({"c.txt"});
    ASSERT_TRUE(w.button(Command::Rename)->isEnabled());
    click(Command::Rename);
    EXPECT_EQ(offered(), " rückgängig (1 Datei)");

    click(Command::Undo);
    EXPECT_EQ(dir.names().join(' '), "bleibt.txt c.txt x_a.txt x_b.txt");
    EXPECT_EQ(offered(), " rückgängig (2 Dateien)");
    EXPECT_EQ(panel(2), messages::undoDone(1)) << "the preview after the undo keeps it";
    dir.write("a.txt", "neu"); // the undo leaves x_a.txt and says so
    click(Command::Undo);
    EXPECT_EQ(offered(), "");
    EXPECT_EQ(questions.asked.size(), 1);
}

// After a full test every row says why its new name does not do, to the eye
// and to a screen reader, and "Nächster Fehler" (or F8 from anywhere in the
// window) walks the faulty rows, scrolling each into view and wrapping at the
// end, without a word in the status bar.
TEST_F(MainWindowTest, RowsGiveTheirReasonAndNaechsterFehlerWalksTheFaultyRowsRoundTheList)
{
    MainWindow &w = start();
    QStringList names;
    for (int i = 0; i < 30; ++i)
        names << QString("n%1.txt").arg(i, 2, 10, QChar('0'));
    // Each of these takes the new name of the file before it, which keeps its own.
    dropFiles(names + QStringList{"n00x.txt", "n15x.txt", "n29x.txt"}); // rows 1, 17, 32
    ASSERT_TRUE(preview("[1-3].[typ]"));
    click(Command::Rename);
    ASSERT_EQ(panel(2), messages::notUnique());
    const QString twice = messages::reasonDuplicate();
    FileListModel *model = w.listModel();
    EXPECT_EQ(column(FileListModel::HintColumn).mid(0, 3), (QStringList{"", twice, ""}));
    EXPECT_EQ(model->index(32, ColFolder).data(Qt::ToolTipRole).toString(), twice);
    EXPECT_FALSE(model->index(31, ColFolder).data(Qt::ToolTipRole).isValid());
    QAccessibleTableInterface *table =
        QAccessible::queryAccessibleInterface(w.listView())->tableInterface();
    ASSERT_NE(table, nullptr);
    auto description = [table](int row, int column) {
        return table->cellAt(row, column)->text(QAccessible::Description);
    };
    EXPECT_EQ(QStringList({description(1, ColOldName), description(1, ColFolder),
                           description(2, ColOldName), description(2, ColFolder)}),
              QStringList({twice, twice, "", ""}));

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
        walk << QString("%1:%2:%3:%4")
                    .arg(at.row())
                    .arg(at.column() == ColFolder)
                    .arg(rows(false) == QList<int>{at.row()})
                    .arg(list->viewport()->rect().contains(list->visualRect(at)));
    }
    EXPECT_EQ(walk.join(' '), "32:1:1:1 1:1:1:1 17:1:1:1");
    QSignalSpy passes = passSpy();
    EXPECT_FALSE(passes.wait(4 * RefreshMs)) << "no click on the list, so no refresh";
    EXPECT_EQ(panel(2), messages::notUnique());
    ASSERT_TRUE(preview("["));
    EXPECT_EQ(description(2, ColOldName), "Fehler") << "a mask error gives no reason of its own";
}

// A batch cut off by a crash is offered for repair once the window is up:
// "Nein" leaves it to the undo command, "Ja" at the next start undoes it. The
// files a window starts with are read while it builds itself; after a repair
// moved files, what was read is read again.
TEST_F(MainWindowTest, AnInterruptedBatchIsOfferedForRepairAtStartAndUndoneOnJa)
{
    dir.write("a.txt", "a");
    dir.write("b.txt", "b");
    const QByteArray folder = QFile::encodeName(dir.path() + "/");
    QList<JournalEntry> entries{{{folder, "a.txt", "A.txt", {}}}, {{folder, "b.txt", "B.txt", {}}}};
    ASSERT_TRUE(Journal().begin(entries));
    ASSERT_TRUE(QFile::rename(dir.file("a.txt"), dir.file("A.txt")));
    const QList<QByteArray> files{QFile::encodeName(dir.file("A.txt")),
                                  QFile::encodeName(dir.file("b.txt"))};
    // Read to its end before the repair, so that stale rows are there to keep.
    QStringList told;
    const auto startReadingAhead = [&](MainWindow &w) {
        QObject::connect(&w.session().status(), &StatusLine::panel2Changed,
                         [&told](const QString &text) { told << text; });
        auto ahead = std::make_unique<RowsReadAhead>(files);
        ASSERT_TRUE(ahead->waitFor(std::chrono::seconds(10)));
        w.setReadAhead(std::move(ahead));
    };

    questions.yesNoAnswers = {false};
    MainWindow &first = start(files, startReadingAhead);
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked[0].kind + "|" + questions.asked[0].text,
              "yesno|" + messages::interruptedQuestion());
    EXPECT_EQ(dir.names() + column(ColOldName), (QStringList{"A.txt", "b.txt", "A.txt", "b.txt"}));
    EXPECT_TRUE(first.button(Command::Undo)->isEnabled());
    first.close();

    questions.yesNoAnswers = {true};
    MainWindow &second = start(files, startReadingAhead);
    EXPECT_EQ(questions.asked.size(), 2);
    EXPECT_EQ(dir.names() + column(ColOldName), (QStringList{"a.txt", "b.txt", "b.txt"}));
    EXPECT_FALSE(second.button(Command::Undo)->isEnabled());
    EXPECT_TRUE(told.contains(messages::undoDone(1))) << told.join('\n').toStdString();
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
    EXPECT_EQ(first.minimumSize(), designed);
    const QList<QRect> d = layout(first);
    dropFiles({"a.txt"});
    int n = 10;
    for (QLineEdit *e : first.findChildren<QLineEdit *>())
        e->setText(QString::number(n++)); // digits suit every field, the mask included
    for (QCheckBox *b : first.findChildren<QCheckBox *>())
        b->setChecked(b->objectName() != "ToolTipCheck");
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
    EXPECT_FALSE(first.isVisible());

    MainWindow &second = start();
    EXPECT_EQ(controls(second), expected);
    EXPECT_EQ(second.listView()->font().pointSize(), 11);
    EXPECT_EQ(QRect(second.pos(), second.size()), placement);
    EXPECT_EQ(layout(second), grown);
    EXPECT_FALSE(second.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(second.listModel()->rowCount(), 0);
    second.resize(designed);
    EXPECT_TRUE(QTest::qWaitFor([&] { return layout(second) == d; })) << "back to the design";
}

// Every caption and label is shown in full at the default font and at the
// larger fonts some desktops choose; everything a keyboard user reaches has a
// name a screen reader can say, and the list tells it the shown columns by
// their headers and none of the sort-only ones.
TEST_F(MainWindowTest, EveryControlShowsItsCaptionInFullAndHasAName)
{
    const QFont original = QApplication::font();
    for (int points : {original.pointSize(), 10, 11}) {
        QFont f = original;
        f.setPointSize(points);
        QApplication::setFont(f);
        MainWindow w(&questions);
        QStringList cut, unnamed;
        for (QWidget *c : w.findChildren<QWidget *>()) {
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
                cut << c->objectName() + " at " + QString::number(points) + " pt";
            if ((c->focusPolicy() & Qt::TabFocus) && !c->objectName().isEmpty() &&
                accessibleName(c).isEmpty())
                unnamed << c->objectName();
        }
        EXPECT_TRUE(cut.isEmpty()) << cut.join("\n").toStdString();
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
    }
    QApplication::setFont(original);

    MainWindow &w = start();
    // Fields are named by the label beside them. A drop-down list is named by
    // its entry on Linux and points to its label instead.
    EXPECT_EQ(accessibleName(find("Zahl")) + "|" + accessibleName(find("SucheText1")) + "|" +
                  accessibleName(w.button(Command::MoveDown)),
              "Start bei|Satz 2: Ersetze|Markierte Einträge nach unten verschieben");
    EXPECT_EQ(accessibleName(find("StatusPanel1")), panel(1));
    const auto labels =
        QAccessible::queryAccessibleInterface(find("StellenAnzahl"))->relations(QAccessible::Label);
    EXPECT_EQ(labels.size() == 1 ? labels[0].first->text(QAccessible::Name) : "", "Länge");
    QAccessibleTableInterface *table =
        QAccessible::queryAccessibleInterface(w.listView())->tableInterface();
    ASSERT_NE(table, nullptr);
    QStringList headers;
    for (int c = 0; c < table->columnCount(); ++c)
        headers << table->columnDescription(c);
    EXPECT_EQ(headers.join('|'), "Alter Name|Neuer Name|In Ordner|Größe|Typ|Letzte Änderung|"
                                 "Erstellung|Aufnahme (Exif)|Hinweis");
}

} // namespace

#include "mainwindow_test.moc"
