#include "ui/filelistview.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

using namespace kesto;

namespace {

using RestartTest = kesto::test::WindowTest;

TEST_F(RestartTest, ClosingAndRestartingRestoresOptionsPlacementFontAndTooltips)
{
    MainWindow &first = start();
    dropFiles({"a.txt"});
    first.maskField()->setText("Urlaub [zahl].[typ]");
    find<QLineEdit>("Zahl")->setText("5");
    find<QLineEdit>("Schrittweite")->setText("10");
    find<QComboBox>("Vornullenzeichen")->setCurrentIndex(3);
    find<QComboBox>("Schreibweise")->setCurrentIndex(2);
    find<QComboBox>("StellenAnzahl")->setCurrentIndex(3);
    find<QCheckBox>("SucheErsetzeAktivChk2")->setChecked(true);
    find<QLineEdit>("SucheText2")->setText("IMG");
    find<QLineEdit>("ErsetzeText2")->setText("Bild");
    find<QCheckBox>("SucheUndErsetzenImNeuenStattAltenNamenChk2")->setChecked(true);
    find<QCheckBox>("ZufallsketteZahlenChk")->setChecked(true);
    find<QLineEdit>("ZufallsketteExtraCharsTB")->setText("#");
    QSlider *slider = find<QSlider>("FontSizeSlider");
    EXPECT_EQ(slider->minimum(), 8);
    EXPECT_EQ(slider->maximum(), 12);
    slider->setValue(11);
    EXPECT_EQ(first.listView()->font().pointSize(), 11);
    QSignalSpy switched(&first, &MainWindow::tooltipsSwitched);
    find<QCheckBox>("ToolTipCheck")->setChecked(false);
    EXPECT_EQ(switched.count(), 1);
    find<QCheckBox>("TopMostChk")->setChecked(true);
    const QSize size = MainWindow::designedSize() + QSize(60, 40);
    first.resize(size);
    first.move(40, 30);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return first.pos() == QPoint(40, 30) && first.size() == size; }));
    ASSERT_EQ(first.pos(), QPoint(40, 30));
    const RenameOptions before = first.session().options();
    closeWindow();

    QList<bool> tooltips;
    MainWindow &second = start({}, [&](MainWindow &w) {
        QObject::connect(&w, &MainWindow::tooltipsSwitched, [&](bool on) { tooltips << on; });
    });
    EXPECT_EQ(second.session().options(), before);
    EXPECT_EQ(second.maskField()->text(), "Urlaub [zahl].[typ]");
    EXPECT_EQ(find<QLineEdit>("Zahl")->text(), "5");
    EXPECT_EQ(find<QLineEdit>("Schrittweite")->text(), "10");
    EXPECT_EQ(find<QComboBox>("Vornullenzeichen")->currentText(), "Unterstrich");
    EXPECT_EQ(find<QComboBox>("Schreibweise")->currentText(), "alles klein");
    EXPECT_EQ(find<QComboBox>("StellenAnzahl")->currentText(), "4");
    EXPECT_TRUE(find<QCheckBox>("SucheErsetzeAktivChk2")->isChecked());
    EXPECT_EQ(find<QLineEdit>("SucheText2")->text(), "IMG");
    EXPECT_EQ(find<QLineEdit>("ErsetzeText2")->text(), "Bild");
    EXPECT_TRUE(find<QCheckBox>("SucheUndErsetzenImNeuenStattAltenNamenChk2")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("ZufallsketteZahlenChk")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("ZufallsketteGROSSChk")->isChecked());
    EXPECT_EQ(find<QLineEdit>("ZufallsketteExtraCharsTB")->text(), "#");

    EXPECT_EQ(find<QSlider>("FontSizeSlider")->value(), 11);
    EXPECT_EQ(second.listView()->font().pointSize(), 11);
    EXPECT_FALSE(find<QCheckBox>("ToolTipCheck")->isChecked());
    EXPECT_TRUE(tooltips.isEmpty()) << "a stored 'off' sets no tooltips";

    EXPECT_EQ(second.pos(), QPoint(40, 30));
    EXPECT_EQ(second.size(), size);

    EXPECT_FALSE(find<QCheckBox>("TopMostChk")->isChecked());
    EXPECT_FALSE(second.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(second.listView()->model()->rowCount(), 0);
    EXPECT_EQ(panel1(), "0 von 0 Dateien markiert");
}

TEST_F(RestartTest, APlacementOffTheScreenIsRejectedAndTheWindowCentred)
{
    start();
    window().move(-200, 30);
    EXPECT_TRUE(QTest::qWaitFor([this] { return window().pos().x() == -200; }));
    closeWindow();
    MainWindow &w = start();
    EXPECT_EQ(w.size(), MainWindow::designedSize());
    EXPECT_EQ(w.pos(), QPoint((test::TestScreenWidth - w.width()) / 2,
                              (test::TestScreenHeight - w.height()) / 2));
}

TEST_F(RestartTest, AStoredHeightBeyondTheScreenKeepsTheDesignedHeight)
{
    MainWindow &first = start();
    const QSize size(MainWindow::designedSize().width() + 100, test::TestScreenHeight - 100);
    first.resize(size);
    first.move(10, 200);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return first.size() == size && first.pos() == QPoint(10, 200); }));
    closeWindow();
    MainWindow &w = start();
    EXPECT_EQ(w.pos(), QPoint(10, 200));
    EXPECT_EQ(w.size(), QSize(size.width(), MainWindow::designedSize().height()));
}

} // namespace
