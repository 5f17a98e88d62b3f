#include "storage/savedmasks.h"
#include "ui/filelistmodel.h"
#include "ui/helpwindow.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QResizeEvent>
#include <QSignalSpy>
#include <QSlider>
#include <QTabBar>
#include <QTextBrowser>
#include <QTimer>

using namespace kesto;
using kesto::test::PassSpy;

namespace {

class MainWindowTest : public kesto::test::WindowTest
{
protected:
    // The checked rows, or with \a checked false the highlighted ones.
    QList<int> rows(bool checked)
    {
        QList<int> out;
        const QAbstractItemModel *m = window().listView()->model();
        const QItemSelectionModel *s = window().listView()->selectionModel();
        for (int r = 0; r < m->rowCount(); ++r) {
            if (checked ? m->index(r, 0).data(Qt::CheckStateRole) == Qt::Checked
                        : s->isRowSelected(r))
                out << r;
        }
        return out;
    }
    QIcon icon(int row)
    {
        return window().listModel()->index(row, 0).data(Qt::DecorationRole).value<QIcon>();
    }
    void highlight(int first, int last)
    {
        const QAbstractItemModel *m = window().listView()->model();
        window().listView()->selectionModel()->select(
            QItemSelection(m->index(first, 0), m->index(last, ColumnCount - 1)),
            QItemSelectionModel::ClearAndSelect);
    }
};

TEST_F(MainWindowTest, AFreshStartShowsTheDefaultsAndAnEmptyList)
{
    MainWindow &w = start();
    QStringList texts{w.windowTitle(), find<QGroupBox>("Frame1")->title(),
                      find<QGroupBox>("Frame3")->title()};
    for (int i : {0, 1, 2, 3, 4, 8, 9, 10, 25, 32})
        texts << w.button(i)->text();
    auto *tabs = find<QTabBar>("MyTabStrip");
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    for (auto *box : {find<QComboBox>("Vornullenzeichen"), find<QComboBox>("Schreibweise")}) {
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
    }
    for (int c = 0; c < 8; ++c)
        texts << w.listView()->model()->headerData(c, Qt::Horizontal).toString();
    const QSlider *slider = find<QSlider>("FontSizeSlider");
    texts << w.maskField()->text() << find<QLineEdit>("Zahl")->text()
          << find<QLineEdit>("Schrittweite")->text()
          << find<QComboBox>("StellenAnzahl")->currentText() << panel(1) << panel(2)
          << QString("%1 %2 %3").arg(slider->minimum()).arg(slider->value()).arg(slider->maximum());
    EXPECT_EQ(texts.join('|'), "Kesto - Rename|Kandidaten zum Umbenennen|Steuerung|"
                               "Liste l&öschen|&Alle auswählen|&Keine Auswahl|Auswahl &umkehren|"
                               "&Datenverz. öffnen|&Umbenennen|&Ende|&Hilfe|&Info|&Kopie|"
                               "Maske|Zähler|Suchen und Ersetzen|Schreibweise|Optionen|"
                               "keine|Null|Leerzeichen|Unterstrich|beibehalten|alles groß|"
                               "alles klein|anfangs groß|alternierend-1|alternierend-2|Alter Name|"
                               "Neuer Name|In Ordner|Größe|Typ|Letzte Änderung|Erstellung|"
                               "Aufnahme (Exif)|[name].[typ]|1|1|1|0 von 0 Dateien markiert|"
                               "Maske ist OK|8 8 12");
    EXPECT_TRUE(find<QCheckBox>("ToolTipCheck")->isChecked());
    for (int b : {8, 12, 13})
        EXPECT_FALSE(w.button(b)->isEnabled()) << b;
    EXPECT_TRUE(w.listView()->isColumnHidden(8) && w.listView()->isColumnHidden(ColumnCount - 1));
    EXPECT_EQ(w.keyBarArea()->size(), QSize(693, 189)) << "10395 x 2830 twips";
    tabs->setCurrentIndex(2);
    EXPECT_TRUE(find("Layer3")->isVisible());
    EXPECT_FALSE(find("Layer1")->isVisible());

    EXPECT_EQ(w.size(), MainWindow::designedSize());
    EXPECT_EQ(w.pos(), QPoint((test::TestScreenWidth - w.width()) / 2,
                              (test::TestScreenHeight - w.height()) / 2));
}

TEST_F(MainWindowTest, FilesFromTheCommandLineOrDroppedAreLoadedAndAnEmptyDropIsRefused)
{
    MainWindow &w = start(
        {QFile::encodeName(dir.write("mit blank.txt")), QFile::encodeName(dir.file("fehlt.txt"))});
    EXPECT_EQ(column(ColOldName), QStringList{"mit blank.txt"});
    dropUrls({QUrl::fromLocalFile(dir.write("b.txt")), QUrl::fromLocalFile(dir.mkdir("Ordner")),
              QUrl::fromLocalFile(dir.write("a.txt"))});
    EXPECT_EQ(column(ColOldName), (QStringList{"a.txt", "b.txt", "mit blank.txt"}));
    EXPECT_EQ(panel(1), "3 von 3 Dateien markiert");
    EXPECT_TRUE(w.button(8)->isEnabled());

    QSignalSpy empty(w.listView(), &FileListView::emptyDrop);
    dropUrls({QUrl("https://example.org/c.txt")});
    EXPECT_EQ(empty.count(), 1);
    EXPECT_EQ(w.listView()->model()->rowCount(), 3);
}

TEST(FileListViewDrop, LocalFileUrlsBecomeTheirPathsBytes)
{
    const std::pair<QList<QUrl>, QList<QByteArray>> cases[] = {
        {{QUrl::fromEncoded("file:///tmp/caf%E9.txt")}, {"/tmp/caf\xe9.txt"}},
        {{QUrl("https://example.org/a.txt"), QUrl::fromLocalFile("/tmp/x")}, {"/tmp/x"}}};
    for (const auto &[urls, paths] : cases) {
        QMimeData mime;
        mime.setUrls(urls);
        EXPECT_EQ(FileListView::localPaths(&mime), paths) << paths.first().data();
    }
}

TEST_F(MainWindowTest, ABurstOfKeysInTheMaskGivesExactlyOnePreviewAndRenameRenamesOnDisk)
{
    MainWindow &w = start();
    dropFiles({"b.txt", "a.txt", "c.txt"});
    w.session().setChecked(2, false);
    PassSpy passes(w);
    w.maskField()->selectAll();
    QTest::keyClicks(w.maskField(), "Foto_[zahl].[typ]");
    EXPECT_FALSE(w.button(8)->isEnabled()) << "disabled from the first key until the preview";
    EXPECT_EQ(column(ColNewName), (QStringList{"a.txt", "b.txt", "c.txt"}));
    ASSERT_TRUE(passes.wait());
    EXPECT_EQ(column(ColNewName), (QStringList{"Foto_1.txt", "Foto_2.txt", "Foto_3.txt"}));
    EXPECT_FALSE(passes.wait(4 * RefreshMs)) << "one pass, and none without a change";

    click(8);
    EXPECT_EQ(dir.names(), (QStringList{"Foto_1.txt", "Foto_2.txt", "c.txt"}));
    EXPECT_EQ(dir.read("Foto_1.txt"), "a.txt");
    EXPECT_EQ(column(ColOldName), QStringList{"c.txt"});
    EXPECT_EQ(panel(2), "Umbenennung abgeschlossen.");
    EXPECT_TRUE(questions.asked.isEmpty());
}

TEST_F(MainWindowTest, CounterFieldsTakeDigitsOnlySelectOnFocusAndPastedTextBecomesCanonical)
{
    MainWindow &w = start();
    find<QTabBar>("MyTabStrip")->setCurrentIndex(1);
    auto *zahl = find<QLineEdit>("Zahl");
    auto *step = find<QLineEdit>("Schrittweite");
    QTest::keyClicks(step, "9876543");
    EXPECT_EQ(step->text(), "19876") << "at most five characters";
    zahl->selectAll();
    QTest::keyClicks(zahl, "a1-2 x3.4567890");
    QTest::keyClick(zahl, Qt::Key_Backspace);
    EXPECT_EQ(zahl->text(), "1234567") << "digits only, at most eight";

    zahl->deselect();
    QTest::mouseClick(zahl, Qt::LeftButton, {}, QPoint(4, zahl->height() / 2));
    EXPECT_TRUE(QTest::qWaitFor([zahl] { return zahl->selectedText() == "1234567"; }, 1000));

    PassSpy passes(w);
    QGuiApplication::clipboard()->setText("-5");
    zahl->paste();
    EXPECT_EQ(zahl->text(), "-5") << "pasted text is taken as it comes";
    ASSERT_TRUE(passes.wait());
    EXPECT_EQ(zahl->text(), "5");
    EXPECT_FALSE(passes.wait(4 * RefreshMs)) << "the rewrite is no change of its own";
}

TEST_F(MainWindowTest, ListChoicesPreviewAtOnceAndCopyTakesTheNamesShown)
{
    MainWindow &w = start();
    dropFiles({"ab.txt"});
    typeMask("[name]-[zahl].[typ]");
    w.session().refreshTimer().setInterval(60000);
    find<QComboBox>("Schreibweise")->setCurrentIndex(1);
    EXPECT_EQ(column(ColNewName), QStringList{"AB-1.TXT"});
    find<QComboBox>("StellenAnzahl")->setCurrentIndex(2);
    find<QComboBox>("Vornullenzeichen")->setCurrentIndex(1);
    EXPECT_EQ(column(ColNewName), QStringList{"AB-001.TXT"});
    click(32);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Vorher\tNachher\r\nab.txt\tAB-001.TXT\r\n");
}

TEST_F(MainWindowTest, SaveStoresTheMaskAndResetPutsTheDefaultBackWithTheFocus)
{
    MainWindow &w = start();
    w.maskField()->setText("Urlaub [zahl].[typ]");
    questions.textAnswers = {"Urlaub"};
    click(100);
    RenameOptions saved;
    LoadMask("Urlaub", saved, w.paths().masksIni);
    EXPECT_EQ(saved.Maske, "Urlaub [zahl].[typ]");
    click(150);
    EXPECT_EQ(w.maskField()->text(), "[name].[typ]");
    EXPECT_EQ(QApplication::focusWidget(), w.maskField());
}

TEST_F(MainWindowTest, CheckAllNoneAndInverseAndTheSpaceKeyLeaveTheHighlight)
{
    MainWindow &w = start();
    dropFiles({"a.txt", "b.txt", "c.txt"});
    highlight(1, 1);
    click(2);
    EXPECT_EQ(rows(true), QList<int>{});
    EXPECT_EQ(panel(1), "0 von 3 Dateien markiert");
    click(1);
    EXPECT_EQ(rows(true), (QList<int>{0, 1, 2}));

    // A click on a row's box, then the inverse.
    QAbstractItemModel *model = w.listView()->model();
    model->setData(model->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
    click(3);
    EXPECT_EQ(rows(true), QList<int>{1});
    EXPECT_EQ(panel(1), "1 von 3 Dateien markiert");
    EXPECT_EQ(rows(false), QList<int>{1});

    w.listView()->setFocus();
    w.listView()->setCurrentIndex(model->index(2, ColFolder));
    QTest::keyClick(w.listView(), Qt::Key_Space);
    EXPECT_EQ(rows(true), (QList<int>{1, 2}));
}

TEST_F(MainWindowTest, ABlockOfHighlightedRowsMovesAndStaysHighlighted)
{
    MainWindow &w = start();
    dropFiles({"1.txt", "2.txt", "3.txt", "4.txt", "5.txt", "6.txt"});
    highlight(2, 4);
    QSignalSpy resets(w.listModel(), &QAbstractItemModel::modelReset);
    PassSpy passes(w);
    click(12);
    EXPECT_EQ(column(ColOldName),
              (QStringList{"1.txt", "2.txt", "6.txt", "3.txt", "4.txt", "5.txt"}));
    EXPECT_EQ(rows(false), (QList<int>{3, 4, 5}));
    EXPECT_FALSE(w.button(12)->isEnabled()) << "the last row is highlighted";
    EXPECT_TRUE(icon(3).isNull()) << "a moved row shows no icon";
    ASSERT_TRUE(passes.wait());
    EXPECT_EQ(column(ColNewName).mid(3), (QStringList{"3.txt", "4.txt", "5.txt"}));
    EXPECT_EQ(rows(false), (QList<int>{3, 4, 5})) << "the preview keeps the highlight";
    EXPECT_EQ(icon(0).cacheKey(), w.listModel()->normalIcon().cacheKey());
    EXPECT_EQ(resets.count(), 0);

    click(13);
    click(13);
    EXPECT_EQ(column(ColOldName),
              (QStringList{"1.txt", "3.txt", "4.txt", "5.txt", "2.txt", "6.txt"}));
    EXPECT_EQ(rows(false), (QList<int>{1, 2, 3}));
    typeMask("[");
    EXPECT_EQ(icon(0).cacheKey(), w.listModel()->errorIcon().cacheKey());
    EXPECT_FALSE(w.listModel()->errorIcon().isNull());
}

TEST_F(MainWindowTest, ClickingGroesseTwiceSortsBySizeUpThenDownKeepingTheHighlight)
{
    MainWindow &w = start();
    dropUrls({QUrl::fromLocalFile(dir.write("mittel.txt", QByteArray(300, 'x'))),
              QUrl::fromLocalFile(dir.write("klein.txt", QByteArray(20, 'x'))),
              QUrl::fromLocalFile(dir.write("gross.txt", QByteArray(1000, 'x')))});
    highlight(1, 1); // klein.txt
    QHeaderView *header = w.listView()->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(ColSize) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(column(ColOldName), (QStringList{"klein.txt", "mittel.txt", "gross.txt"}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(column(ColOldName), (QStringList{"gross.txt", "mittel.txt", "klein.txt"}));
    EXPECT_EQ(header->sortIndicatorSection(), int(ColSize));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(rows(false), QList<int>{2});
    EXPECT_TRUE(w.session().list().at(2).Selected);
}

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls << url; }
};

TEST_F(MainWindowTest, HelpInfoAndTheDataFolderOpenTheirWindows)
{
    MainWindow &w = start();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    click(4);
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(catcher.urls,
              QList<QUrl>{QUrl::fromLocalFile(QFileInfo(w.paths().masksIni).absolutePath() + "/")});

    click(10);
    auto *help = w.findChild<HelpWindow *>("HelpWindow");
    ASSERT_TRUE(help && help->isVisible());
    EXPECT_TRUE(help->browser()->toPlainText().contains("[ZUFALLSKETTE 8]"));

    QString info;
    QTimer::singleShot(0, [&info] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        info = box->text();
        box->accept();
    });
    click(25);
    EXPECT_TRUE(info.contains("Kesto " KESTO_VERSION)) << info.toStdString();
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
    for (const QSlider *s : w.findChildren<QSlider *>())
        state << s->objectName() + "=" + QString::number(s->value());
    return state;
}

TEST_F(MainWindowTest, EndAndRestartRestoreOptionsPlacementFontAndTooltipsButNotTopMost)
{
    MainWindow &first = start();
    dropFiles({"a.txt"});
    int n = 10;
    for (QLineEdit *e : first.findChildren<QLineEdit *>())
        e->setText(QString::number(n++)); // digits suit every field, the mask included
    for (QCheckBox *b : first.findChildren<QCheckBox *>())
        b->setChecked(b->objectName() != "ToolTipCheck");
    for (QComboBox *c : first.findChildren<QComboBox *>())
        c->setCurrentIndex(c->count() - 2);
    EXPECT_TRUE(first.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(first.isVisible());
    find<QSlider>("FontSizeSlider")->setValue(11);
    EXPECT_EQ(first.listView()->font().pointSize(), 11);
    const QRect placement(QPoint(40, 30), MainWindow::designedSize() + QSize(60, 40));
    first.resize(placement.size());
    first.move(placement.topLeft());
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.pos() == placement.topLeft(); }));
    QStringList expected = controls(first);
    expected.replaceInStrings("TopMostChk=1", "TopMostChk=0");
    const RenameOptions before = first.session().options();
    QFile log(first.paths().log);
    click(9);
    EXPECT_FALSE(first.isVisible());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    EXPECT_TRUE(lines.first().endsWith(" START Kesto " KESTO_VERSION "\r")) << lines[0].data();
    EXPECT_TRUE(lines.at(lines.size() - 2).endsWith(" EXIT\r"));

    QList<bool> tooltips;
    MainWindow &second = start({}, [&](MainWindow &w) {
        QObject::connect(&w, &MainWindow::tooltipsSwitched, [&](bool on) { tooltips << on; });
    });
    EXPECT_EQ(controls(second), expected);
    EXPECT_EQ(second.session().options(), before);
    EXPECT_TRUE(tooltips.isEmpty()) << "a stored 'off' sets no tooltips";
    EXPECT_EQ(second.listView()->font().pointSize(), 11);
    EXPECT_EQ(QRect(second.pos(), second.size()), placement);
    EXPECT_FALSE(second.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(second.listView()->model()->rowCount(), 0);
}

TEST_F(MainWindowTest, ResizingTheWindowAppliesTheLayoutRulesToItsControls)
{
    MainWindow &w = start();
    const QSize designed = MainWindow::designedSize();
    EXPECT_EQ(w.minimumSize(), designed);
    // Growth in pixels: 100 wider and 40 higher, i.e. 1500 and 600 twips.
    const std::tuple<const char *, int, int, int, int> rules[] = {
        {"Liste", 0, 0, 100, 40},  {"Frame1", 0, 0, 100, 40},    {"Frame2", 0, 40, 100, 0},
        {"Frame4", 0, 40, 100, 0}, {"Layer3", 0, 40, 100, 0},    {"Status", 0, 40, 100, 0},
        {"Bar", 0, 0, 100, 0},     {"MyTabStrip", 0, 0, 100, 0}, {"Maske", 0, 0, 100, 0},
        {"Frame8", 100, 0, 0, 0},  {"Frame3", 100, 0, 0, 0}};
    QList<QRect> before;
    for (const auto &[name, dx, dy, dw, dh] : rules)
        before << find(name)->geometry();
    QHeaderView *header = w.listView()->horizontalHeader();
    QList<int> columnsBefore;
    for (int c = 0; c < 8; ++c)
        columnsBefore << header->sectionSize(c);

    for (const QSize size : {designed + QSize(100, 40), designed}) {
        const bool grown = size != designed;
        w.resize(size);
        QResizeEvent resized(size, w.size());
        QApplication::sendEvent(&w, &resized);
        int i = 0;
        for (const auto &[name, dx, dy, dw, dh] : rules) {
            const QRect b = before.at(i++);
            EXPECT_EQ(find(name)->geometry(), grown ? b.adjusted(dx, dy, dx + dw, dy + dh) : b)
                << name;
        }
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(header->sectionSize(c), columnsBefore[c] + (grown && c < 3 ? 25 : 0)) << c;
    }
}

// Everything a keyboard user reaches has a name a screen reader can say, and
// Tab walks the window from the list through the options to the commands.
TEST_F(MainWindowTest, KeyboardReachesEveryControlAndEachHasAName)
{
    MainWindow &w = start();
    auto name = [](QWidget *c) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c);
        return iface ? iface->text(QAccessible::Name).trimmed() : QString();
    };
    QStringList unnamed, order;
    for (QWidget *c : w.findChildren<QWidget *>()) {
        if ((c->focusPolicy() & Qt::TabFocus) && !c->objectName().isEmpty() && name(c).isEmpty())
            unnamed << c->objectName();
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
    const QStringList anchors = QString("Liste Btn0 Btn32 Btn12 MyTabStrip Maske Btn100 Btn150 "
                                        "Zahl SucheErsetzeAktivChk0 ErsetzeText2 Schreibweise "
                                        "ZufallsketteExtraCharsTB TopMostChk Btn4 Btn8 Btn25")
                                    .split(' ');
    QWidget *c = w.listView();
    do {
        if (anchors.contains(c->objectName()))
            order << c->objectName();
        c = c->nextInFocusChain();
    } while (c != w.listView());
    EXPECT_EQ(order, anchors);

    // Fields are named by the label beside them. A drop-down list is named by
    // its entry on Linux and points to its label instead.
    EXPECT_EQ(name(find("Zahl")), "Start bei");
    EXPECT_EQ(name(find("SucheText1")), "Satz 2: Ersetze");
    EXPECT_EQ(name(w.button(12)), "Markierte Einträge nach unten verschieben");
    EXPECT_EQ(name(find("StatusPanel1")), "0 von 0 Dateien markiert");
    const auto labels =
        QAccessible::queryAccessibleInterface(find("StellenAnzahl"))->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->text(QAccessible::Name), "Länge");
}

// Every caption and label is shown in full at the default font and at the
// larger fonts some desktops choose.
TEST_F(MainWindowTest, EveryCaptionFitsItsControl)
{
    const QFont original = QApplication::font();
    for (int points : {original.pointSize(), 10, 11}) {
        QFont f = original;
        f.setPointSize(points);
        QApplication::setFont(f);
        MainWindow w(&questions);
        QStringList cut;
        for (QWidget *c : w.findChildren<QWidget *>()) {
            const QFontMetrics fm(c->font());
            int needed = 0;
            if (auto *l = qobject_cast<QLabel *>(c);
                l && !l->text().isEmpty() && !l->objectName().startsWith("StatusPanel"))
                needed = l->sizeHint().width();
            else if (qobject_cast<QCheckBox *>(c) || qobject_cast<QTabBar *>(c))
                needed = c->sizeHint().width();
            else if (auto *p = qobject_cast<QPushButton *>(c); p && !p->text().isEmpty())
                needed = fm.horizontalAdvance(QString(p->text()).remove('&')) + 12;
            else if (auto *g = qobject_cast<QGroupBox *>(c))
                needed = fm.horizontalAdvance(g->title()) + 16;
            if (needed > c->width())
                cut << c->objectName() + " at " + QString::number(points) + " pt";
        }
        EXPECT_TRUE(cut.isEmpty()) << cut.join("\n").toStdString();
    }
    QApplication::setFont(original);
}

} // namespace

#include "mainwindow_test.moc"
