#include "ui/mainwindow.h"

#include "naming/textcase.h"
#include "storage/settings.h"
#include "ui/dialogquestions.h"
#include "ui/fieldfilters.h"
#include "ui/filelistmodel.h"
#include "ui/filelistview.h"
#include "ui/windowtexts.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>

namespace kesto {

namespace {

// The designed geometry, in pixels (15 twips each). It leaves every caption
// and label room for the larger default fonts of Linux desktops (11 points).
constexpr int DesignedWidth = 886;
constexpr int DesignedHeight = 548;
// Narrower, the key bar and the glyph buttons narrow with the pages.
constexpr int SmallestWidth = 800;

constexpr QRect Frame1Rect(6, 4, 874, 274);
constexpr QRect BarRect(10, 24, 676, 12);
constexpr QRect ListRect(10, 40, 676, 226);
constexpr QRect Frame8Rect(692, 22, 176, 244);
constexpr QRect Frame2Rect(0, 284, DesignedWidth, 234);
constexpr QRect Frame3Rect(730, 0, 150, 234);
constexpr QRect Frame4Rect(6, 284, 720, 28);
constexpr QRect LayerRect(6, 312, 720, 206);
constexpr QRect StatusRect(0, 524, DesignedWidth, 24);

// The key grid spans 10395 x 2830 twips; its first row begins 570 twips down,
// which leaves the band above it to the mask field.
constexpr QRect KeyBarRect(8, 8, 693, 189);
constexpr QRect MaskRect(8, 12, 706, 26);
// The free place of the grid's fifth column, fifth row, in twips from the
// grid's left edge, and its top in pixels.
constexpr int GlyphCellLeft = 8280;
constexpr int GlyphCellRight = 8280 + 2115;
constexpr int GlyphButtonsTop = 8 + 162;
constexpr int GlyphButtonGap = 3;

constexpr int MinFontSize = 8;
constexpr int MaxFontSize = 12;

// Narrow enough that the shown columns up to the type, and the reason, fit the list.
const int DesignedColumnWidths[FileListModel::HintColumn + 1] = {150, 160, 100, 60, 40,
                                                                 125, 125, 115, 145};

int pixels(double twips)
{
    return qRound(twips / TwipsPerPixel);
}

template<typename W> W *placed(W *widget, const QString &name, const QRect &geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QLabel *label(const QString &text, QWidget *buddy, QWidget *parent, const QRect &geometry)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setBuddy(buddy);
    return l;
}

// Check states as the options keep them: 0 off, 1 on, 2 undetermined.
int storedState(int qtState)
{
    switch (qtState) {
    case Qt::Checked:
        return Checked;
    case Qt::PartiallyChecked:
        return Undetermined;
    default:
        return Unchecked;
    }
}

// A plain top-level widget is a "filler" to a screen reader, which then does
// not announce the window's title when the window gets the focus.
QAccessibleInterface *windowAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(MainWindow::staticMetaObject.className()) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

MainWindow::MainWindow(UserQuestions *questions, QWidget *parent)
    : QWidget(parent)
    , m_ownQuestions(questions ? nullptr : std::make_unique<DialogQuestions>(this))
    , m_questions(questions ? questions : m_ownQuestions.get())
    , m_session(*m_questions)
{
    QAccessible::installFactory(windowAccessible);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(windowtexts::windowTitle());
    resize(designedSize());
    setMinimumSize(SmallestWidth, DesignedHeight);

    // The lower band first, so that the pages lie above the container of
    // the command frame.
    buildOptionArea(this);
    buildListFrame(this);
    buildStatus(this);

    // The three lists hold fixed entries, and the digit list follows the
    // session; filling them here lets the start-up take over saved choices.
    for (const QString &entry : LetterCaseEntries())
        m_letterCase->addItem(EntryCaption(entry));
    for (const QString &entry : LeadCharEntries())
        m_leadChar->addItem(EntryCaption(entry));
    fillDigitChoices();

    connectSession();
    connectControls();
    setTabOrderChain();
    addShortcuts();

    applyListFont(MinFontSize);
    showOptions();
    updateCommands();
    updateUndoCommand();
    m_panel1->setText(m_session.status().panel1());
    m_panel2->setText(m_session.status().panel2());
    showPage(1);
    updateSortIndicator();
    recordLayout();
}

MainWindow::~MainWindow()
{
    // The view and its model read the session's rows; they go before it.
    delete m_list;
}

QSize MainWindow::designedSize()
{
    return {DesignedWidth, DesignedHeight};
}

// --- building ---------------------------------------------------------------

QPushButton *MainWindow::makeButton(Command command, QWidget *parent)
{
    const int index = int(command);
    auto *b = new QPushButton(windowtexts::buttonCaption(index), parent);
    b->setObjectName(QStringLiteral("Btn%1").arg(index));
    const QString accessible = windowtexts::buttonAccessibleName(index);
    if (!accessible.isEmpty())
        b->setAccessibleName(accessible);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, command] { runCommand(command); });
    m_buttons.insert(command, b);
    return b;
}

void MainWindow::buildListFrame(QWidget *root)
{
    m_frame1 = placed(new QGroupBox(windowtexts::listFrameTitle(), root), QStringLiteral("Frame1"),
                      Frame1Rect);

    m_bar = placed(new QProgressBar(m_frame1), QStringLiteral("Bar"), BarRect);
    m_bar->setTextVisible(false);
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    m_bar->setAccessibleName(windowtexts::progressName());

    m_list = placed(new FileListView(m_frame1), QStringLiteral("Liste"), ListRect);
    m_list->setAccessibleName(windowtexts::listFrameTitle());
    m_model = new FileListModel(m_session, m_list);
    m_list->setModel(m_model);
    for (int c = 0; c <= FileListModel::HintColumn; ++c)
        m_list->horizontalHeader()->resizeSection(c, DesignedColumnWidths[c]);
    // The reason stands by the new name it explains, seen without scrolling;
    // the columns keep their numbers, by which the list sorts.
    m_list->horizontalHeader()->moveSection(FileListModel::HintColumn, ColFolder);

    m_frame8 = placed(new QWidget(m_frame1), QStringLiteral("Frame8"), Frame8Rect);
    const int w = Frame8Rect.width();
    int y = 0;
    // Filling the list first, then the commands on its rows.
    for (Command c : {Command::AddFiles, Command::AddFolder, Command::ClearList, Command::CheckAll,
                      Command::UncheckAll, Command::InvertChecks, Command::CopyNames}) {
        makeButton(c, m_frame8)->setGeometry(0, y, w, 27);
        y += 30;
    }
    y += 3;
    const int half = (w - 4) / 2;
    makeButton(Command::MoveUp, m_frame8)->setGeometry(0, y, half, 27);
    makeButton(Command::MoveDown, m_frame8)->setGeometry(w - half, y, half, 27);
    buildListMenu();
}

void MainWindow::buildOptionArea(QWidget *root)
{
    m_frame2 = placed(new QWidget(root), QStringLiteral("Frame2"), Frame2Rect);
    buildCommandFrame(m_frame2);

    m_frame4 = placed(new QWidget(root), QStringLiteral("Frame4"), Frame4Rect);
    m_tabs = placed(new QTabBar(m_frame4), QStringLiteral("MyTabStrip"),
                    QRect(QPoint(), Frame4Rect.size()));
    m_tabs->setAccessibleName(windowtexts::tabStripName());
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);
    for (const QString &caption : windowtexts::tabCaptions())
        m_tabs->addTab(caption);

    const QStringList captions = windowtexts::tabCaptions();
    for (int k = 0; k < 5; ++k) {
        auto *page = new QFrame(root);
        page->setFrameShape(QFrame::StyledPanel);
        page->setAutoFillBackground(true);
        placed(page, QStringLiteral("Layer%1").arg(k + 1), LayerRect);
        page->setAccessibleName(captions.at(k));
        m_layers[k] = page;
    }
    buildMaskPage(m_layers[0]);
    buildCounterPage(m_layers[1]);
    buildSearchPage(m_layers[2]);
    buildCasePage(m_layers[3]);
    buildOptionsPage(m_layers[4]);
}

void MainWindow::buildMaskPage(QWidget *page)
{
    m_keyBarArea = placed(new QWidget(page), QStringLiteral("keyBarArea"), KeyBarRect);
    m_keyBarArea->setAccessibleName(windowtexts::keyBarName());
    m_mask = placed(new QLineEdit(page), QStringLiteral("Maske"), MaskRect);
    m_mask->setAccessibleName(windowtexts::maskFieldName());
    // The grid's container reaches up into the mask field's band.
    m_keyBarArea->lower();

    const struct
    {
        Command command;
        QStyle::StandardPixmap icon;
    } glyphs[] = {{Command::SaveMask, QStyle::SP_DialogSaveButton},
                  {Command::LoadMaskMenu, QStyle::SP_DialogOpenButton},
                  {Command::DeleteMaskMenu, QStyle::SP_TrashIcon},
                  {Command::ResetMask, QStyle::SP_DialogResetButton}};
    for (const auto &g : glyphs)
        makeButton(g.command, page)->setIcon(style()->standardIcon(g.icon));
    placeGlyphButtons();
}

void MainWindow::placeGlyphButtons()
{
    // The keys narrow with their area below the designed width, and keep
    // their size above it; the buttons keep to the free place of the grid.
    const double scale = std::min(1.0, double(m_keyBarArea->width()) / KeyBarRect.width());
    const int cellLeft = pixels(GlyphCellLeft * scale);
    const int width = (pixels(GlyphCellRight * scale) - cellLeft - 3 * GlyphButtonGap) / 4;
    int x = m_keyBarArea->x() + cellLeft;
    for (Command c :
         {Command::SaveMask, Command::LoadMaskMenu, Command::DeleteMaskMenu, Command::ResetMask}) {
        m_buttons.value(c)->setGeometry(x, GlyphButtonsTop, width, 27);
        x += width + GlyphButtonGap;
    }
}

void MainWindow::buildCounterPage(QWidget *page)
{
    m_counterStart = placed(new QLineEdit(page), QStringLiteral("Zahl"), QRect(130, 16, 110, 26));
    m_counterStart->setMaxLength(8);
    m_counterStep =
        placed(new QLineEdit(page), QStringLiteral("Schrittweite"), QRect(130, 52, 110, 26));
    m_counterStep->setMaxLength(5);
    m_digitCount =
        placed(new QComboBox(page), QStringLiteral("StellenAnzahl"), QRect(130, 88, 110, 26));
    m_leadChar =
        placed(new QComboBox(page), QStringLiteral("Vornullenzeichen"), QRect(130, 124, 150, 26));
    label(windowtexts::startLabel(), m_counterStart, page, QRect(16, 16, 110, 26));
    label(windowtexts::stepLabel(), m_counterStep, page, QRect(16, 52, 110, 26));
    label(windowtexts::digitsLabel(), m_digitCount, page, QRect(16, 88, 110, 26));
    label(windowtexts::leadLabel(), m_leadChar, page, QRect(16, 124, 110, 26));
    m_counterPerFolder = placed(new QCheckBox(windowtexts::counterPerFolderCaption(), page),
                                QStringLiteral("ZaehlerJeOrdnerChk"), QRect(16, 160, 280, 24));
    m_numberClashes = placed(new QCheckBox(windowtexts::numberClashesCaption(), page),
                             QStringLiteral("DoppelteNummerierenChk"), QRect(300, 160, 330, 24));

    auto *digitsOnly = new DigitKeyFilter(this);
    auto *selectAll = new SelectAllOnFocus(this);
    for (QLineEdit *counter : {m_counterStart, m_counterStep}) {
        counter->installEventFilter(digitsOnly);
        counter->installEventFilter(selectAll);
    }
}

void MainWindow::buildSearchPage(QWidget *page)
{
    auto *selectAll = new SelectAllOnFocus(this);
    for (int k = 0; k < 3; ++k) {
        const int y = 8 + k * 66;
        const QString n = QString::number(k);
        m_searchActive[k] =
            placed(new QCheckBox(windowtexts::searchActiveCaption(), page),
                   QStringLiteral("SucheErsetzeAktivChk") + n, QRect(16, y, 84, 26));
        m_searchText[k] =
            placed(new QLineEdit(page), QStringLiteral("SucheText") + n, QRect(164, y, 112, 26));
        m_replaceText[k] =
            placed(new QLineEdit(page), QStringLiteral("ErsetzeText") + n, QRect(328, y, 112, 26));
        m_searchInNewName[k] =
            placed(new QCheckBox(windowtexts::inNewNameCaption(), page),
                   QStringLiteral("SucheUndErsetzenImNeuenStattAltenNamenChk") + n,
                   QRect(104, y + 28, 340, 24));
        // Both boxes shape how the set searches; at 800 pixels and 11 points
        // only one fits beside the fields, the other beside the new-name box.
        m_searchRegex[k] =
            placed(new QCheckBox(windowtexts::regexCaption(), page),
                   QStringLiteral("RegulaererAusdruckChk") + n, QRect(448, y, 178, 26));
        m_searchMatchCase[k] =
            placed(new QCheckBox(windowtexts::matchCaseCaption(), page),
                   QStringLiteral("GrossKleinChk") + n, QRect(448, y + 28, 178, 24));
        label(windowtexts::searchLabel(), m_searchText[k], page, QRect(104, y, 56, 26));
        label(windowtexts::replaceLabel(), m_replaceText[k], page, QRect(280, y, 44, 26));

        m_searchActive[k]->setAccessibleName(
            windowtexts::setAccessibleName(k, windowtexts::searchActiveCaption()));
        m_searchText[k]->setAccessibleName(
            windowtexts::setAccessibleName(k, windowtexts::searchLabel()));
        m_replaceText[k]->setAccessibleName(
            windowtexts::setAccessibleName(k, windowtexts::replaceLabel()));
        m_searchInNewName[k]->setAccessibleName(
            windowtexts::setAccessibleName(k, windowtexts::inNewNameCaption()));
        m_searchRegex[k]->setAccessibleName(
            windowtexts::setAccessibleName(k, windowtexts::regexCaption()));
        m_searchMatchCase[k]->setAccessibleName(
            windowtexts::setAccessibleName(k, windowtexts::matchCaseCaption()));
        m_searchText[k]->installEventFilter(selectAll);
        m_replaceText[k]->installEventFilter(selectAll);
    }
}

void MainWindow::buildCasePage(QWidget *page)
{
    m_letterCase =
        placed(new QComboBox(page), QStringLiteral("Schreibweise"), QRect(276, 10, 170, 26));
    label(windowtexts::letterCaseLabel(), m_letterCase, page, QRect(16, 10, 256, 26));
    m_transliterate = placed(new QCheckBox(windowtexts::transliterateCaption(), page),
                             QStringLiteral("UmlauteUmschreibenChk"), QRect(16, 42, 320, 24));
    m_companions = placed(new QCheckBox(windowtexts::companionsCaption(), page),
                          QStringLiteral("BegleitdateienChk"), QRect(340, 42, 280, 24));
    (new QLabel(windowtexts::randomLabel(), page))->setGeometry(16, 74, 500, 22);
    m_randomUpper = placed(new QCheckBox(windowtexts::randomUpperCaption(), page),
                           QStringLiteral("ZufallsketteGROSSChk"), QRect(32, 98, 240, 24));
    m_randomLower = placed(new QCheckBox(windowtexts::randomLowerCaption(), page),
                           QStringLiteral("ZufallskettekleinChk"), QRect(32, 122, 240, 24));
    m_randomDigits = placed(new QCheckBox(windowtexts::randomDigitsCaption(), page),
                            QStringLiteral("ZufallsketteZahlenChk"), QRect(32, 146, 240, 24));
    m_randomExtra = placed(new QCheckBox(windowtexts::randomExtraCaption(), page),
                           QStringLiteral("ZufallsketteExtraCharsChk"), QRect(32, 170, 270, 24));
    m_randomExtraChars = placed(new QLineEdit(page), QStringLiteral("ZufallsketteExtraCharsTB"),
                                QRect(306, 169, 200, 26));
    m_randomExtraChars->setAccessibleName(windowtexts::randomExtraCharsName());
}

void MainWindow::buildOptionsPage(QWidget *page)
{
    m_toolTipCheck = placed(new QCheckBox(windowtexts::tooltipCaption(), page),
                            QStringLiteral("ToolTipCheck"), QRect(16, 14, 320, 24));
    m_topMost = placed(new QCheckBox(windowtexts::topMostCaption(), page),
                       QStringLiteral("TopMostChk"), QRect(16, 42, 320, 24));
    makeButton(Command::OpenDataFolder, page)->setGeometry(16, 78, 200, 30);
    m_fontSize = placed(new QSlider(Qt::Horizontal, page), QStringLiteral("FontSizeSlider"),
                        QRect(176, 124, 180, 26));
    m_fontSize->setRange(MinFontSize, MaxFontSize);
    m_fontSize->setSingleStep(1);
    m_fontSize->setPageStep(1);
    m_fontSize->setTickPosition(QSlider::TicksBelow);
    m_fontSize->setTickInterval(1);
    m_fontSize->setValue(MinFontSize);
    label(windowtexts::fontSizeLabel(), m_fontSize, page, QRect(16, 124, 156, 26));
    m_fontSizeValue = placed(new QLabel(QString::number(MinFontSize), page),
                             QStringLiteral("FontSizeValue"), QRect(364, 124, 40, 26));
}

void MainWindow::buildCommandFrame(QWidget *parent)
{
    m_frame3 = placed(new QGroupBox(windowtexts::commandFrameTitle(), parent),
                      QStringLiteral("Frame3"), Frame3Rect);
    // The commands on the renaming first, then those on the program.
    int y = 26;
    for (Command c : {Command::Rename, Command::Undo, Command::NextFault, Command::Close,
                      Command::Help, Command::Info}) {
        makeButton(c, m_frame3)->setGeometry(10, y, Frame3Rect.width() - 20, 28);
        y += c == Command::NextFault ? 40 : 32;
    }
    auto *nextError = new QShortcut(QKeySequence(Qt::Key_F8), this);
    connect(nextError, &QShortcut::activated, this, [this] { runCommand(Command::NextFault); });
}

void MainWindow::buildStatus(QWidget *root)
{
    m_status = placed(new QStatusBar(root), QStringLiteral("Status"), StatusRect);
    m_status->setAccessibleName(windowtexts::statusName());
    m_panel1 = new QLabel(m_status);
    m_panel1->setObjectName(QStringLiteral("StatusPanel1"));
    m_panel1->setMinimumWidth(240);
    m_panel2 = new QLabel(m_status);
    m_panel2->setObjectName(QStringLiteral("StatusPanel2"));
    // A long message is cut at the window's edge instead of widening it.
    m_panel2->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    for (QLabel *panel : {m_panel1, m_panel2}) {
        panel->setTextFormat(Qt::PlainText);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_panel1->setAccessibleDescription(windowtexts::countPanelName());
    m_panel2->setAccessibleDescription(windowtexts::messagePanelName());
    m_status->addWidget(m_panel1);
    m_status->addWidget(m_panel2, 1);
}

void MainWindow::setTabOrderChain()
{
    QList<QWidget *> chain{m_list};
    using C = Command;
    for (C c : {C::AddFiles, C::AddFolder, C::ClearList, C::CheckAll, C::UncheckAll,
                C::InvertChecks, C::CopyNames, C::MoveUp, C::MoveDown})
        chain << m_buttons.value(c);
    chain << m_tabs << m_mask;
    for (C c : {C::SaveMask, C::LoadMaskMenu, C::DeleteMaskMenu, C::ResetMask})
        chain << m_buttons.value(c);
    chain << m_counterStart << m_counterStep << m_digitCount << m_leadChar << m_counterPerFolder
          << m_numberClashes;
    for (int k = 0; k < 3; ++k)
        chain << m_searchActive[k] << m_searchText[k] << m_replaceText[k] << m_searchRegex[k]
              << m_searchInNewName[k] << m_searchMatchCase[k];
    chain << m_letterCase << m_transliterate << m_companions << m_randomUpper << m_randomLower
          << m_randomDigits << m_randomExtra << m_randomExtraChars;
    chain << m_toolTipCheck << m_topMost << m_buttons.value(C::OpenDataFolder) << m_fontSize;
    for (C c : {C::Rename, C::Undo, C::NextFault, C::Close, C::Help, C::Info})
        chain << m_buttons.value(c);
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain.at(i - 1), chain.at(i));
}

void MainWindow::recordLayout()
{
    using R = LayoutRule;
    // In the order the rules are applied.
    m_layout.RecordGeometry(this,
                            {{m_list, R::GrowBoth},
                             {m_frame1, R::GrowBoth},
                             {m_frame4, R::MoveDownGrowWidth},
                             {m_frame2, R::MoveDownGrowWidth},
                             {m_bar, R::GrowWidth},
                             {m_status, R::MoveDownGrowWidth},
                             {m_frame8, R::MoveRight},
                             {m_frame3, R::MoveRight},
                             {m_mask, R::GrowWidth},
                             {m_keyBarArea, R::GrowWidth},
                             {m_tabs, R::GrowWidth},
                             {m_layers[0], R::MoveDownGrowWidth},
                             {m_layers[1], R::MoveDownGrowWidth},
                             {m_layers[2], R::MoveDownGrowWidth},
                             {m_layers[3], R::MoveDownGrowWidth},
                             {m_layers[4], R::MoveDownGrowWidth}},
                            m_list->horizontalHeader(), 3);
}

// --- binding the controls to the session -------------------------------------

void MainWindow::connectControls()
{
    // Handlers run only for the user's changes; showOptions() puts the
    // session's values into the controls without handing them back.
    auto text = [this](QLineEdit *edit, auto handler) {
        connect(edit, &QLineEdit::textChanged, this, [this, handler](const QString &t) {
            if (!m_showingOptions)
                handler(t);
        });
    };
    auto check = [this](QCheckBox *box, auto handler) {
        connect(box, &QCheckBox::stateChanged, this, [this, handler](int state) {
            if (!m_showingOptions)
                handler(storedState(state));
        });
    };
    auto choice = [this](QComboBox *box, auto handler) {
        connect(box, &QComboBox::currentIndexChanged, this, [this, handler](int index) {
            if (!m_showingOptions && index >= 0)
                handler(index);
        });
    };
    Session &s = m_session;
    text(m_mask, [&s](const QString &t) { s.setMaskText(t); });
    text(m_counterStart, [&s](const QString &t) { s.setCounterStartText(t); });
    text(m_counterStep, [&s](const QString &t) { s.setCounterStepText(t); });
    for (int k = 0; k < 3; ++k) {
        check(m_searchActive[k], [&s, k](int v) { s.setSearchActive(k, v); });
        text(m_searchText[k], [&s, k](const QString &t) { s.setSearchText(k, t); });
        text(m_replaceText[k], [&s, k](const QString &t) { s.setReplaceText(k, t); });
        check(m_searchInNewName[k], [&s, k](int v) { s.setSearchInNewName(k, v); });
        check(m_searchRegex[k], [&s, k](int v) { s.setSearchRegex(k, v); });
        check(m_searchMatchCase[k], [&s, k](int v) { s.setSearchMatchCase(k, v); });
    }
    check(m_randomUpper, [&s](int v) { s.setRandomUpper(v); });
    check(m_randomLower, [&s](int v) { s.setRandomLower(v); });
    check(m_randomDigits, [&s](int v) { s.setRandomDigits(v); });
    check(m_randomExtra, [&s](int v) { s.setRandomExtra(v); });
    text(m_randomExtraChars, [&s](const QString &t) { s.setRandomExtraChars(t); });
    check(m_transliterate, [&s](int v) { s.setTransliterate(v); });
    check(m_counterPerFolder, [&s](int v) { s.setCounterPerFolder(v); });
    check(m_companions, [&s](int v) { s.setCompanions(v); });
    check(m_numberClashes, [&s](int v) { s.setNumberClashes(v); });
    choice(m_letterCase, [&s](int i) { s.chooseLetterCase(i); });
    choice(m_leadChar, [&s](int i) { s.chooseLeadChar(i); });
    choice(m_digitCount, [&s](int i) { s.chooseDigitCount(i); });

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) { showPage(index + 1); });
    connect(m_toolTipCheck, &QCheckBox::toggled, this, &MainWindow::onToolTipCheck);
    connect(m_topMost, &QCheckBox::toggled, this, &MainWindow::onTopMost);
    connect(m_fontSize, &QSlider::valueChanged, this, [this](int value) {
        applyListFont(value);
        SaveSettingValue(QStringLiteral("ListFontSize"), QString::number(value));
    });
}

} // namespace kesto
