#include "app/Main4.h"

#include "app/Globalvar.h"
#include "app/Messageshow.h"
#include "app/Startup.h"
#include "app/Tiling.h"
#include "platform/WindowPlacement.h"
#include "resources/Icons.h"
#include "resources/Strings.h"
#include "views/Comparator.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace orvel {

TFormMain *FormMain = nullptr;

namespace {
constexpr int kNoValidPort = 8001;
constexpr int kTimerGetSdMs = 500;
constexpr QSize kSpeedButtonSize{23, 22};
constexpr int kSpeedButtonTop = 8;

// String ids of the menu bar and toolbar hints.
namespace id {
constexpr int Separator = 500, File = 501, Exit = 509, Link = 600, Window = 631, Tile = 632, DigitalMeter = 633,
              AnalogMeter = 634, Comparator = 635, Graphical = 636, DataList = 637, Port = 701, Help = 996, About = 999;
constexpr int HintLink = 1000, HintTile = 1010, HintDigital = 1011, HintAnalog = 1012, HintComparator = 1013,
              HintGraphical = 1014, HintDataList = 1015, HintPort = 1020, HintAbout = 1031;
} // namespace id
} // namespace

TFormMain::TFormMain(QWidget *parent)
    : QMainWindow(parent)
{
    const QString title = ApplicationTitle();
    setWindowTitle(title);
    QApplication::setWindowIcon(programIcon(kApplicationIcon));
    setWindowIcon(programIcon(kApplicationIcon));

    TaskbarReserve = systemTaskbarReserve();

    // A fixed strip: no maximise box, not resizable; system menu and minimise stay.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    Metrics = systemMetrics();
    const QRect outer = mainWindowRect(primaryScreenSize().width(), Metrics);
    iStripHeight = outer.height();
    setFixedSize(outer.size());
    setOuterGeometry(this, outer);

    ReadingReceived = false;
    iNoDataCount = 0;

    TimerGetSd = new QTimer(this);
    TimerGetSd->setInterval(kTimerGetSdMs);

    BuildControls();
    FormCreate();
}

TFormMain::~TFormMain() = default;

void TFormMain::BuildControls()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);

    Bevel1 = new QFrame(client);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(0, 0, primaryScreenSize().width(), kMainBevelHeight);

    auto button = [client](int left, const QIcon &icon) {
        auto *b = new QToolButton(client);
        b->setGeometry(QRect(QPoint(left, kSpeedButtonTop), kSpeedButtonSize));
        b->setIcon(icon);
        b->setIconSize(QSize(16, 16));
        b->setAutoRaise(true);
        return b;
    };
    sbtnLink = button(8, programIcon(6));
    sbtnLink->setCheckable(true); // down = linked
    sbtnDigitMeter = button(40, programIcon(2));
    sbtnAnalogMeter = button(64, programIcon(1));
    sbtnDataList = button(88, programIcon(4));
    sbtnGraphical = button(112, programIcon(3));
    sbtnComparator = button(136, programIcon(5));
    sbtnWinTile = button(168, style()->standardIcon(QStyle::SP_TitleBarNormalButton));
    sbtnPort = button(200, programIcon(6));
    sbtnAbout = button(232, programIcon(kApplicationIcon));
}

void TFormMain::BuildMenus()
{
    QMenuBar *bar = menuBar();
    mnuFile = bar->addMenu(LoadStr(id::File));
    mnuExit = mnuFile->addAction(LoadStr(id::Exit));
    mnuLink = bar->addAction(LoadStr(id::Link));
    mnuWindow = bar->addMenu(LoadStr(id::Window));
    mnuTile = mnuWindow->addAction(LoadStr(id::Tile));
    mnuWindow->addSeparator()->setText(LoadStr(id::Separator));
    mnuDigitalMeter = mnuWindow->addAction(LoadStr(id::DigitalMeter));
    mnuAnalogMeter = mnuWindow->addAction(LoadStr(id::AnalogMeter));
    mnuComparator = mnuWindow->addAction(LoadStr(id::Comparator));
    mnuGraphical = mnuWindow->addAction(LoadStr(id::Graphical));
    mnuDataList = mnuWindow->addAction(LoadStr(id::DataList));
    mnuPort = bar->addAction(LoadStr(id::Port));
    mnuHelp = bar->addMenu(LoadStr(id::Help));
    mnuAbout = mnuHelp->addAction(LoadStr(id::About));

    connect(mnuExit, &QAction::triggered, this, &QWidget::close);

    sbtnLink->setToolTip(LoadStr(id::HintLink));
    sbtnWinTile->setToolTip(LoadStr(id::HintTile));
    sbtnDigitMeter->setToolTip(LoadStr(id::HintDigital));
    sbtnAnalogMeter->setToolTip(LoadStr(id::HintAnalog));
    sbtnComparator->setToolTip(LoadStr(id::HintComparator));
    sbtnGraphical->setToolTip(LoadStr(id::HintGraphical));
    sbtnDataList->setToolTip(LoadStr(id::HintDataList));
    sbtnPort->setToolTip(LoadStr(id::HintPort));
    sbtnAbout->setToolTip(LoadStr(id::HintAbout));
}

void TFormMain::FormCreate()
{
    BuildMenus();
    ProbePorts();
    WorkDir = QDir::currentPath();
    LoadSettings();
    hComPort = OpenComPort(SelectedPort);
    if (!hComPort)
        MessageShow(this, str::WarningCaption, kNoValidPort, {PromptButton::Ok}, PromptIcon::Exclamation);
}

void TFormMain::closeEvent(QCloseEvent *event)
{
    if (bClosed) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TFormMain::FormCloseQuery()
{
    return true;
}

void TFormMain::FormClose()
{
    bClosed = true;
    // The comparator's own limits are the ones in force.
    SaveSettings(ComparatorForm ? ComparatorForm->hiLimit() : HiLimit,
                 ComparatorForm ? ComparatorForm->lowLimit() : LowLimit);
    if (TimerGetSd->isActive())
        TimerGetSd->stop();
    if (hComPort)
        CloseComPort(std::move(hComPort));
    QCoreApplication::quit();
}

} // namespace orvel
