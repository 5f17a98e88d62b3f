#include "storage/applog.h"
#include "storage/savedmasks.h"
#include "storage/settings.h"
#include "ui/filelistview.h"
#include "ui/helpwindow.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalSpy>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace kesto;
using kesto::test::PassCounter;

namespace {

class MainWindowTest : public kesto::test::WindowTest
{
protected:
    QStringList comboEntries(QComboBox *box)
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
};

TEST_F(MainWindowTest, AFreshStartShowsTheDefaultsAndAnEmptyList)
{
    QString keysIni;
    QList<bool> tooltips;
    MainWindow &w = start({}, [&](MainWindow &win) {
        QObject::connect(&win, &MainWindow::keyBarStarting,
                         [&](const QString &path) { keysIni = path; });
        QObject::connect(&win, &MainWindow::tooltipsSwitched, [&](bool on) { tooltips << on; });
    });
    EXPECT_EQ(w.windowTitle(), "Kesto - Rename");
    EXPECT_EQ(w.objectName(), "Form1");
    EXPECT_EQ(find<QLineEdit>("Maske")->text(), "[name].[typ]");
    EXPECT_EQ(find<QLineEdit>("Zahl")->text(), "1");
    EXPECT_EQ(find<QLineEdit>("Schrittweite")->text(), "1");
    EXPECT_EQ(comboEntries(find<QComboBox>("StellenAnzahl")),
              (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
    EXPECT_EQ(find<QComboBox>("StellenAnzahl")->currentText(), "1");
    EXPECT_EQ(comboEntries(find<QComboBox>("Vornullenzeichen")),
              (QStringList{"keine", "Null", "Leerzeichen", "Unterstrich"}));
    EXPECT_EQ(find<QComboBox>("Vornullenzeichen")->currentIndex(), 0);
    EXPECT_EQ(comboEntries(find<QComboBox>("Schreibweise")),
              (QStringList{"beibehalten", "alles groß", "alles klein", "anfangs groß",
                           "alternierend-1", "alternierend-2"}));
    EXPECT_EQ(find<QComboBox>("Schreibweise")->currentIndex(), 0);
    for (const char *box : {"SucheErsetzeAktivChk0", "SucheUndErsetzenImNeuenStattAltenNamenChk2",
                            "ZufallsketteGROSSChk", "ZufallsketteExtraCharsChk", "TopMostChk"})
        EXPECT_FALSE(find<QCheckBox>(box)->isChecked()) << box;
    EXPECT_TRUE(find<QCheckBox>("ToolTipCheck")->isChecked());
    EXPECT_EQ(tooltips, QList<bool>{true});
    EXPECT_EQ(find<QSlider>("FontSizeSlider")->value(), 8);
    EXPECT_EQ(w.listView()->font().pointSize(), 8);

    EXPECT_EQ(w.listView()->model()->rowCount(), 0);
    EXPECT_EQ(panel1(), "0 von 0 Dateien markiert");
    EXPECT_EQ(panel2(), "Maske ist OK");
    EXPECT_FALSE(w.button(8)->isEnabled());
    EXPECT_FALSE(w.button(12)->isEnabled());
    EXPECT_FALSE(w.button(13)->isEnabled());

    QTabBar *tabs = find<QTabBar>("MyTabStrip");
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    EXPECT_EQ(captions,
              (QStringList{"Maske", "Zähler", "Suchen und Ersetzen", "Schreibweise", "Optionen"}));
    EXPECT_EQ(w.currentPage(), 1);
    EXPECT_TRUE(find<QWidget>("Layer1")->isVisible());
    EXPECT_FALSE(find<QWidget>("Layer2")->isVisible());

    // Centred on the screen's free area in the designed size.
    EXPECT_EQ(w.size(), MainWindow::designedSize());
    EXPECT_EQ(w.pos(), QPoint((test::TestScreenWidth - w.width()) / 2,
                              (test::TestScreenHeight - w.height()) / 2));

    EXPECT_EQ(keysIni, w.paths().keysIni);
    QFile log(w.paths().log);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray firstLine = log.readLine();
    EXPECT_TRUE(firstLine.endsWith(" START Kesto " KESTO_VERSION "\r\n")) << firstLine.data();
}

TEST_F(MainWindowTest, EveryControlCarriesItsName)
{
    start();
    QStringList names{"Form1",
                      "Liste",
                      "Maske",
                      "Zahl",
                      "Schrittweite",
                      "StellenAnzahl",
                      "Vornullenzeichen",
                      "Schreibweise",
                      "ZufallsketteGROSSChk",
                      "ZufallskettekleinChk",
                      "ZufallsketteZahlenChk",
                      "ZufallsketteExtraCharsChk",
                      "ZufallsketteExtraCharsTB",
                      "ToolTipCheck",
                      "TopMostChk",
                      "FontSizeSlider",
                      "MyTabStrip",
                      "Bar",
                      "Status",
                      "StatusPanel1",
                      "StatusPanel2",
                      "Frame1",
                      "Frame2",
                      "Frame3",
                      "Frame4",
                      "Frame8",
                      "keyBarArea"};
    for (int k = 0; k < 3; ++k) {
        names << QString("SucheErsetzeAktivChk%1").arg(k) << QString("SucheText%1").arg(k)
              << QString("ErsetzeText%1").arg(k)
              << QString("SucheUndErsetzenImNeuenStattAltenNamenChk%1").arg(k);
    }
    for (int i : {0, 1, 2, 3, 4, 8, 9, 10, 12, 13, 25, 32, 100, 101, 102, 150})
        names << QString("Btn%1").arg(i);
    for (const QString &n : names) {
        const bool found = window().objectName() == n || window().findChild<QWidget *>(n);
        EXPECT_TRUE(found) << n.toStdString();
    }
    const QStringList captions{"Liste l&öschen",
                               "&Alle auswählen",
                               "&Keine Auswahl",
                               "Auswahl &umkehren",
                               "&Datenverz. öffnen",
                               "&Umbenennen",
                               "&Ende",
                               "&Hilfe",
                               "&Info",
                               "&Kopie"};
    int i = 0;
    for (int index : {0, 1, 2, 3, 4, 8, 9, 10, 25, 32})
        EXPECT_EQ(window().button(index)->text(), captions.at(i++));
    EXPECT_EQ(find<QGroupBox>("Frame1")->title(), "Kandidaten zum Umbenennen");
    EXPECT_EQ(find<QGroupBox>("Frame3")->title(), "Steuerung");
    EXPECT_EQ(panel1(), "0 von 0 Dateien markiert");

    // The key grid: 10395 x 2830 twips.
    EXPECT_EQ(window().keyBarArea()->size(), QSize(693, 189));
}

TEST_F(MainWindowTest, FilesDroppedOnTheListAreLoadedAndAnEmptyDropIsRefused)
{
    MainWindow &w = start();
    dir.mkdir("Ordner");
    dropUrls({QUrl::fromLocalFile(dir.write("b.txt", "b")), QUrl::fromLocalFile(dir.file("Ordner")),
              QUrl::fromLocalFile(dir.write("a.txt", "a"))});
    EXPECT_EQ(column(ColOldName), (QStringList{"a.txt", "b.txt"}));
    EXPECT_EQ(panel1(), "2 von 2 Dateien markiert");
    EXPECT_TRUE(w.button(8)->isEnabled());

    QSignalSpy empty(w.listView(), &FileListView::emptyDrop);
    dropUrls({QUrl("https://example.org/c.txt")});
    EXPECT_EQ(empty.count(), 1);
    EXPECT_EQ(w.listView()->model()->rowCount(), 2);
}

TEST_F(MainWindowTest, CommandLineFilesAreLoadedAtStartUp)
{
    const QByteArray a = QFile::encodeName(dir.write("eins.txt"));
    const QByteArray b = QFile::encodeName(dir.write("mit blank.txt"));
    start({a, b, QFile::encodeName(dir.file("fehlt.txt"))});
    EXPECT_EQ(column(ColOldName), (QStringList{"eins.txt", "mit blank.txt"}));
    EXPECT_EQ(panel1(), "2 von 2 Dateien markiert");
}

TEST_F(MainWindowTest, ABurstOfKeysInTheMaskGivesExactlyOnePreview)
{
    MainWindow &w = start();
    dropFiles({"a.txt", "b.txt"});
    PassCounter passes(w.session());
    QLineEdit *mask = w.maskField();
    mask->selectAll();
    QTest::keyClicks(mask, "neu_[zahl].[typ]");
    EXPECT_FALSE(w.button(8)->isEnabled()) << "disabled from the first key until the preview";
    EXPECT_EQ(column(ColNewName), (QStringList{"a.txt", "b.txt"}));
    ASSERT_TRUE(passes.waitBeyond(0));
    EXPECT_EQ(passes.count(), 1);
    EXPECT_EQ(column(ColNewName), (QStringList{"neu_1.txt", "neu_2.txt"}));
    EXPECT_TRUE(w.button(8)->isEnabled());
    EXPECT_FALSE(passes.waitBeyond(1, 4 * RefreshMs)) << "no refresh without a change";
}

TEST_F(MainWindowTest, TheRenameButtonRenamesTheCheckedFilesOnDisk)
{
    MainWindow &w = start();
    dropFiles({"b.txt", "a.txt", "c.txt"});
    w.session().setChecked(2, false);
    typeMask("Foto_[zahl].[typ]");
    EXPECT_EQ(column(ColNewName), (QStringList{"Foto_1.txt", "Foto_2.txt", "Foto_3.txt"}));
    click(8);
    EXPECT_EQ(dir.names(), (QStringList{"Foto_1.txt", "Foto_2.txt", "c.txt"}));
    EXPECT_EQ(dir.read("Foto_1.txt"), "a.txt");
    EXPECT_EQ(dir.read("Foto_2.txt"), "b.txt");
    EXPECT_EQ(column(ColOldName), QStringList{"c.txt"});
    EXPECT_EQ(column(ColNewName), QStringList{"Foto_1.txt"});
    EXPECT_EQ(panel2(), "Umbenennung abgeschlossen.");
    EXPECT_TRUE(questions.asked.isEmpty());
}

TEST_F(MainWindowTest, AMaskWithoutTypAsksFirstAndNoLeavesTheFiles)
{
    start();
    dropFiles({"a.txt"});
    typeMask("[name]");
    questions.yesNoAnswers = {false};
    click(8);
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked.first().kind, "yesno");
    EXPECT_EQ(questions.asked.first().title, "Kesto");
    EXPECT_TRUE(questions.asked.first().text.startsWith("WARNUNG: In Ihrer Umbenennungmaske"));
    EXPECT_EQ(dir.names(), QStringList{"a.txt"});

    questions.yesNoAnswers = {true};
    click(8);
    EXPECT_EQ(dir.names(), QStringList{"a"});
}

TEST_F(MainWindowTest, CounterFieldsTakeDigitsOnlyAndPastedTextBecomesCanonical)
{
    MainWindow &w = start();
    find<QTabBar>("MyTabStrip")->setCurrentIndex(1);
    QLineEdit *zahl = find<QLineEdit>("Zahl");
    QLineEdit *step = find<QLineEdit>("Schrittweite");
    zahl->selectAll();
    QTest::keyClicks(zahl, "a1-2 x3.");
    EXPECT_EQ(zahl->text(), "123");
    QTest::keyClick(zahl, Qt::Key_Backspace);
    EXPECT_EQ(zahl->text(), "12");
    zahl->selectAll();
    QTest::keyClicks(zahl, "1234567890");
    EXPECT_EQ(zahl->text(), "12345678");
    step->selectAll();
    QTest::keyClicks(step, "9876543");
    EXPECT_EQ(step->text(), "98765");

    PassCounter passes(w.session());
    QGuiApplication::clipboard()->setText("-5");
    zahl->selectAll();
    zahl->paste();
    EXPECT_EQ(zahl->text(), "-5") << "pasted text is taken as it comes";
    ASSERT_TRUE(passes.waitBeyond(0));
    EXPECT_EQ(zahl->text(), "5");
    EXPECT_EQ(w.session().options().Start, "5");
    EXPECT_FALSE(passes.waitBeyond(1, 4 * RefreshMs)) << "the rewrite is no change of its own";
}

TEST_F(MainWindowTest, CounterAndSearchFieldsSelectTheirTextWhenFocused)
{
    start();
    find<QTabBar>("MyTabStrip")->setCurrentIndex(1);
    QLineEdit *zahl = find<QLineEdit>("Zahl");
    zahl->setText("42");
    zahl->deselect();
    QTest::mouseClick(zahl, Qt::LeftButton, {}, QPoint(4, zahl->height() / 2));
    EXPECT_TRUE(QTest::qWaitFor([zahl] { return zahl->hasSelectedText(); }, 1000));
    EXPECT_EQ(zahl->selectedText(), "42");

    find<QTabBar>("MyTabStrip")->setCurrentIndex(2);
    QLineEdit *search = find<QLineEdit>("ErsetzeText1");
    search->setText("alt");
    search->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(QTest::qWaitFor([search] { return search->hasSelectedText(); }, 1000));
    EXPECT_EQ(search->selectedText(), "alt");
}

TEST_F(MainWindowTest, ListChoicesPreviewAtOnce)
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
    EXPECT_EQ(w.session().options().Digits, 2);
    EXPECT_EQ(w.session().options().LeadZeros, 1);
    EXPECT_EQ(w.session().options().LetterCase, 1);
}

TEST_F(MainWindowTest, OptionControlsReachTheSession)
{
    MainWindow &w = start();
    find<QCheckBox>("SucheErsetzeAktivChk1")->setChecked(true);
    find<QLineEdit>("SucheText1")->setText("IMG");
    find<QLineEdit>("ErsetzeText1")->setText("Foto");
    find<QCheckBox>("SucheUndErsetzenImNeuenStattAltenNamenChk1")->setChecked(true);
    find<QCheckBox>("ZufallskettekleinChk")->setChecked(true);
    find<QCheckBox>("ZufallsketteExtraCharsChk")->setChecked(true);
    find<QLineEdit>("ZufallsketteExtraCharsTB")->setText("#+");
    const RenameOptions &o = w.session().options();
    EXPECT_EQ(o.Sets[1].Active, 1);
    EXPECT_EQ(o.Sets[1].Search, "IMG");
    EXPECT_EQ(o.Sets[1].Replace, "Foto");
    EXPECT_EQ(o.Sets[1].InNewName, 1);
    EXPECT_EQ(o.Sets[0].Active, 0);
    EXPECT_EQ(o.ZufallKlein, 1);
    EXPECT_EQ(o.ZufallGross, 0);
    EXPECT_EQ(o.ZufallExtra, 1);
    EXPECT_EQ(o.ZufallExtraChars, "#+");
    EXPECT_FALSE(w.button(8)->isEnabled());
    EXPECT_TRUE(w.session().refreshTimer().isActive());
}

TEST_F(MainWindowTest, ResetPutsTheDefaultMaskBackAndFocusesIt)
{
    MainWindow &w = start();
    w.maskField()->setText("[zahl]");
    click(150);
    EXPECT_EQ(w.maskField()->text(), "[name].[typ]");
    EXPECT_EQ(QApplication::focusWidget(), w.maskField());
}

TEST_F(MainWindowTest, SaveAsksForANameAndTheMenuButtonsAskForTheirMenus)
{
    MainWindow &w = start();
    w.maskField()->setText("Urlaub [zahl].[typ]");
    questions.textAnswers = {"Urlaub"};
    click(100);
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked.first().title, "Kesto - Aktuelle Maske speichern");
    EXPECT_TRUE(SavedMaskNames(w.paths().masksIni).contains("Urlaub"));
    RenameOptions saved;
    LoadMask("Urlaub", saved, w.paths().masksIni);
    EXPECT_EQ(saved.Maske, "Urlaub [zahl].[typ]");

    QSignalSpy menus(&w, &MainWindow::maskMenuRequested);
    click(101);
    click(102);
    ASSERT_EQ(menus.count(), 2);
    EXPECT_EQ(menus.at(0).at(0).toInt(), 1);
    EXPECT_EQ(menus.at(1).at(0).toInt(), 2);
}

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls << url; }
};

TEST_F(MainWindowTest, TheDataFolderOpensInTheFileManager)
{
    MainWindow &w = start();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    find<QTabBar>("MyTabStrip")->setCurrentIndex(4);
    click(4);
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.first().toLocalFile(),
              QFileInfo(w.paths().masksIni).absolutePath() + "/");
}

TEST_F(MainWindowTest, HelpExplainsTheMaskAndInfoNamesTheVersion)
{
    MainWindow &w = start();
    click(10);
    auto *help = w.findChild<HelpWindow *>("HelpWindow");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    const QString text = help->browser()->toPlainText();
    for (const char *part : {"[ZUFALLSKETTE 8]", "[[2024]", "[R2,3]", "[AUFNAHMEDATUM]",
                             "[ERSTELLSEKUNDE]", "alternierend-2", "Im neuen statt dem alten"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;

    QString info;
    QTimer::singleShot(0, [&info] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        info = box->text();
        box->accept();
    });
    click(25);
    EXPECT_TRUE(info.contains("Kesto " KESTO_VERSION)) << info.toStdString();
    EXPECT_TRUE(info.contains("Stapelumbenennung von Dateien"));
}

TEST_F(MainWindowTest, AlwaysOnTopKeepsTheWindowShown)
{
    MainWindow &w = start();
    find<QCheckBox>("TopMostChk")->setChecked(true);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w.isVisible());
    find<QCheckBox>("TopMostChk")->setChecked(false);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w.isVisible());
}

TEST_F(MainWindowTest, EndClosesTheWindowAndWritesTheExitLine)
{
    MainWindow &w = start();
    const QString logPath = w.paths().log;
    click(9);
    EXPECT_FALSE(w.isVisible());
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines.at(lines.size() - 2).endsWith(" EXIT\r"));
}

TEST_F(MainWindowTest, ResizingTheWindowAppliesTheLayoutRulesToItsControls)
{
    MainWindow &w = start();
    const QSize designed = MainWindow::designedSize();
    EXPECT_EQ(w.size(), designed);
    EXPECT_EQ(w.minimumSize(), designed);

    auto geometryOf = [this](const char *name) {
        return find<QWidget>(QString::fromLatin1(name))->geometry();
    };
    const char *names[] = {"Liste", "Frame1", "Frame2", "Frame3",     "Frame4", "Frame8",
                           "Bar",   "Status", "Maske",  "MyTabStrip", "Layer3"};
    QHash<QString, QRect> before;
    for (const char *n : names)
        before.insert(QString::fromLatin1(n), geometryOf(n));
    QHeaderView *header = w.listView()->horizontalHeader();
    QList<int> columnsBefore;
    for (int c = 0; c < 8; ++c)
        columnsBefore << header->sectionSize(c);

    // 100 pixels wider and 40 higher: 1500 and 600 twips.
    w.resize(designed + QSize(100, 40));
    QResizeEvent resized(w.size(), designed);
    QApplication::sendEvent(&w, &resized);
    ASSERT_EQ(w.size(), designed + QSize(100, 40));

    auto expect = [&](const char *n, int dx, int dy, int dw, int dh) {
        const QRect b = before.value(QString::fromLatin1(n));
        EXPECT_EQ(geometryOf(n), b.adjusted(dx, dy, dx + dw, dy + dh)) << n;
    };
    expect("Liste", 0, 0, 100, 40);
    expect("Frame1", 0, 0, 100, 40);
    expect("Frame2", 0, 40, 100, 0);
    expect("Frame4", 0, 40, 100, 0);
    expect("Layer3", 0, 40, 100, 0);
    expect("Status", 0, 40, 100, 0);
    expect("Bar", 0, 0, 100, 0);
    expect("Maske", 0, 0, 100, 0);
    expect("MyTabStrip", 0, 0, 100, 0);
    expect("Frame8", 100, 0, 0, 0);
    expect("Frame3", 100, 0, 0, 0);
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(header->sectionSize(c), columnsBefore.at(c) + (c < 3 ? 25 : 0)) << c;

    // Back to the designed size: everything where it was designed.
    w.resize(designed);
    QResizeEvent back(designed, w.size());
    QApplication::sendEvent(&w, &back);
    for (const char *n : names)
        EXPECT_EQ(geometryOf(n), before.value(QString::fromLatin1(n))) << n;
}

// Everything a keyboard user reaches has a name a screen reader can say, and
// Tab walks the window from the list through the options to the commands.
TEST_F(MainWindowTest, KeyboardReachesEveryControlAndEachHasAName)
{
    MainWindow &w = start();
    QStringList unnamed;
    for (QWidget *c : w.findChildren<QWidget *>()) {
        if (!(c->focusPolicy() & Qt::TabFocus) || c->objectName().isEmpty())
            continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c);
        if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << c->objectName();
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();

    QStringList order;
    QWidget *c = w.listView();
    do {
        if (!c->objectName().isEmpty() && (c->focusPolicy() & Qt::TabFocus))
            order << c->objectName();
        c = c->nextInFocusChain();
    } while (c != w.listView());
    const QStringList expected{"Liste",
                               "Btn0",
                               "Btn1",
                               "Btn2",
                               "Btn3",
                               "Btn32",
                               "Btn13",
                               "Btn12",
                               "MyTabStrip",
                               "Maske",
                               "Btn100",
                               "Btn101",
                               "Btn102",
                               "Btn150",
                               "Zahl",
                               "Schrittweite",
                               "StellenAnzahl",
                               "Vornullenzeichen",
                               "SucheErsetzeAktivChk0",
                               "SucheText0",
                               "ErsetzeText0",
                               "SucheUndErsetzenImNeuenStattAltenNamenChk0",
                               "SucheErsetzeAktivChk1",
                               "SucheText1",
                               "ErsetzeText1",
                               "SucheUndErsetzenImNeuenStattAltenNamenChk1",
                               "SucheErsetzeAktivChk2",
                               "SucheText2",
                               "ErsetzeText2",
                               "SucheUndErsetzenImNeuenStattAltenNamenChk2",
                               "Schreibweise",
                               "ZufallsketteGROSSChk",
                               "ZufallskettekleinChk",
                               "ZufallsketteZahlenChk",
                               "ZufallsketteExtraCharsChk",
                               "ZufallsketteExtraCharsTB",
                               "ToolTipCheck",
                               "TopMostChk",
                               "Btn4",
                               "FontSizeSlider",
                               "Btn8",
                               "Btn9",
                               "Btn10",
                               "Btn25"};
    QStringList ours;
    for (const QString &n : order) {
        if (expected.contains(n))
            ours << n;
    }
    EXPECT_EQ(ours, expected);

    // Fields are named by the label beside them. A drop-down list is named by
    // its entry on Linux and points to its label instead.
    const QList<std::pair<QWidget *, QString>> named{
        {find<QWidget>("Zahl"), "Start bei"},
        {find<QWidget>("FontSizeSlider"), "Listenschriftgöße:"},
        {find<QWidget>("SucheText1"), "Satz 2: Ersetze"},
        {w.button(12), "Markierte Einträge nach unten verschieben"},
        {w.button(100), "Maske speichern"}};
    for (const auto &[widget, name] : named) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name)
            << widget->objectName().toStdString();
    }
    const QList<std::pair<QWidget *, QString>> labelled{
        {find<QWidget>("StellenAnzahl"), "Länge"},
        {find<QWidget>("Vornullenzeichen"), "Vornullen"},
        {find<QWidget>("Schreibweise"), "Schreibweise des neuen Namens:"}};
    for (const auto &[widget, label] : labelled) {
        QStringList labels;
        const auto relations =
            QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
        for (const auto &r : relations)
            labels << r.first->text(QAccessible::Name);
        EXPECT_EQ(labels, QStringList{label}) << widget->objectName().toStdString();
    }
    QAccessibleInterface *count =
        QAccessible::queryAccessibleInterface(find<QLabel>("StatusPanel1"));
    EXPECT_EQ(count->role(), QAccessible::StaticText);
    EXPECT_EQ(count->text(QAccessible::Name), "0 von 0 Dateien markiert");
}

// Every caption and label is shown in full at the default font and at the
// larger fonts some desktops choose.
TEST_F(MainWindowTest, EveryCaptionFitsItsControl)
{
    const QFont original = QApplication::font();
    for (int points : {0, 10, 11}) {
        if (points) {
            QFont f = original;
            f.setPointSize(points);
            QApplication::setFont(f);
        }
        MainWindow w(&questions);
        QStringList cut;
        for (QWidget *c : w.findChildren<QWidget *>()) {
            const QFontMetrics fm(c->font());
            int needed = 0;
            if (auto *l = qobject_cast<QLabel *>(c);
                l && !l->text().isEmpty() && !l->objectName().startsWith("StatusPanel"))
                needed = l->sizeHint().width();
            else if (auto *b = qobject_cast<QCheckBox *>(c))
                needed = b->sizeHint().width();
            else if (auto *p = qobject_cast<QPushButton *>(c); p && !p->text().isEmpty())
                needed = fm.horizontalAdvance(QString(p->text()).remove('&')) + 12;
            else if (auto *g = qobject_cast<QGroupBox *>(c))
                needed = fm.horizontalAdvance(g->title()) + 16;
            else if (auto *t = qobject_cast<QTabBar *>(c))
                needed = t->sizeHint().width();
            if (needed > c->width())
                cut << QString("%1 '%2' at %3 pt: %4 > %5")
                           .arg(c->objectName(), c->property("text").toString())
                           .arg(c->font().pointSize())
                           .arg(needed)
                           .arg(c->width());
        }
        EXPECT_TRUE(cut.isEmpty()) << cut.join("\n").toStdString();
    }
    QApplication::setFont(original);
}

} // namespace

#include "mainwindow_test.moc"
