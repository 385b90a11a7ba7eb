#include "app/Main4.h"

#include "app/Automesgform.h"
#include "app/Dlgabout.h"
#include "app/Dlgrsport.h"
#include "app/Startup.h"
#include "base/Messages.h"
#include "base/Messageshow.h"
#include "meter/ProgramState.h"
#include "platform/NetworkDevice.h"
#include "platform/PortNames.h"
#include "platform/Tiling.h"
#include "platform/WindowPlacement.h"
#include "recorder/Graphicalrecord.h"
#include "recorder/Recording.h"
#include "resources/Icons.h"
#include "resources/Strings.h"
#include "views/Analogmeter.h"
#include "views/Comparator.h"
#include "views/Datapagelist.h"
#include "views/Digitalmeter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolButton>

namespace orvel {

TFormMain *FormMain = nullptr;

namespace {
constexpr int kNoValidPort = 8001;
constexpr int kBufferHasData = 8003;
constexpr int kSaveBeforeExit = 7005;
constexpr QSize kSpeedButtonSize{23, 22};
constexpr int kSpeedButtonTop = 8;

// String ids of the menu bar and toolbar hints.
namespace id {
constexpr int File = 501, Exit = 509, Link = 600, Unlink = 601, Window = 631, Tile = 632, DigitalMeter = 633,
              AnalogMeter = 634, Comparator = 635, Graphical = 636, DataList = 637, Port = 701, Help = 996, About = 999;
constexpr int HintLink = 1000, HintUnlink = 1001, HintTile = 1010, HintDigital = 1011, HintAnalog = 1012,
              HintComparator = 1013, HintGraphical = 1014, HintDataList = 1015, HintPort = 1020, HintAbout = 1031;
// Lines of the two acquisition warnings.
constexpr int RetryIn3s = 7006, CheckCable = 7007, ContinueIn3s = 7009;
constexpr int PortHungUp = 2051; // the line hung up while linked
} // namespace id

bool shownAndNotMinimised(const QWidget *w)
{
    return w && w->isVisible() && !w->isMinimized();
}
} // namespace

void bringToFront(QWidget *window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->showNormal();
    else if (window->isHidden())
        window->show();
    window->raise();
    window->activateWindow();
}

TFormMain::TFormMain(ProgramState &state, Recording &recording, PlacementContext &placement, QWidget *parent)
    : QMainWindow(parent)
    , Acquisition(new AcquisitionCycle(this))
    , iNoDataCount(Acquisition->iNoDataCount)
    , State(state)
    , Rec(recording)
    , Placement(placement)
{
    const QString title = ApplicationTitle();
    setWindowTitle(title);
    // The name is also the display name that dialogs and the desktop read. It is
    // not set as a display name of its own: Qt would then add it to every
    // window's caption, and the captions are the program's own texts.
    QApplication::setApplicationName(title);
    QApplication::setWindowIcon(programIcon(kApplicationIcon));
    setWindowIcon(programIcon(kApplicationIcon));

    Placement.taskbarReserve = systemTaskbarReserve();

    // A fixed strip: no maximise box, not resizable; system menu and minimise stay.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    Placement.metrics = systemMetrics();
    const QRect outer = mainWindowRect(primaryScreenSize().width(), Placement.metrics);
    Placement.stripHeight = outer.height();
    setFixedSize(outer.size());
    setOuterGeometry(this, outer);

    State.ReadingReceived = false;
    iNoDataCount = 0;

    Acquisition->showWarning = [this](int textId) { return ShowAcquisitionWarning(textId); };
    // The comparator keeps the shared limits up to date.
    Acquisition->limits = [this] { return std::pair{State.HiLimit, State.LowLimit}; };
    connect(Acquisition, &AcquisitionCycle::readingReady, this, &TFormMain::ReadingArrived);
    connect(Acquisition, &AcquisitionCycle::tickEnded, this, &TFormMain::TickEnded);
    connect(Acquisition, &AcquisitionCycle::lineHungUp, this, &TFormMain::PortHungUp);

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

    connect(sbtnLink, &QToolButton::clicked, this, &TFormMain::sbtnLinkClick);
    connect(sbtnDigitMeter, &QToolButton::clicked, this, &TFormMain::sbtnDigitMeterClick);
    connect(sbtnAnalogMeter, &QToolButton::clicked, this, &TFormMain::sbtnAnalogMeterClick);
    connect(sbtnDataList, &QToolButton::clicked, this, &TFormMain::sbtnDataListClick);
    connect(sbtnGraphical, &QToolButton::clicked, this, &TFormMain::sbtnGraphicalClick);
    connect(sbtnComparator, &QToolButton::clicked, this, &TFormMain::sbtnComparatorClick);
    connect(sbtnWinTile, &QToolButton::clicked, this, &TFormMain::sbtnWinTileClick);
    connect(sbtnPort, &QToolButton::clicked, this, &TFormMain::sbtnPortClick);
    connect(sbtnAbout, &QToolButton::clicked, this, &TFormMain::sbtnAboutClick);
}

void TFormMain::BuildMenus()
{
    QMenuBar *bar = menuBar();
    mnuFile = bar->addMenu(LoadStr(id::File));
    mnuExit = mnuFile->addAction(LoadStr(id::Exit));
    mnuLink = bar->addAction(LoadStr(id::Link));
    mnuWindow = bar->addMenu(LoadStr(id::Window));
    mnuTile = mnuWindow->addAction(LoadStr(id::Tile));
    mnuWindow->addSeparator(); // only its line: some styles would draw a caption too
    mnuDigitalMeter = mnuWindow->addAction(LoadStr(id::DigitalMeter));
    mnuAnalogMeter = mnuWindow->addAction(LoadStr(id::AnalogMeter));
    mnuComparator = mnuWindow->addAction(LoadStr(id::Comparator));
    mnuGraphical = mnuWindow->addAction(LoadStr(id::Graphical));
    mnuDataList = mnuWindow->addAction(LoadStr(id::DataList));
    mnuPort = bar->addAction(LoadStr(id::Port));
    mnuHelp = bar->addMenu(LoadStr(id::Help));
    mnuAbout = mnuHelp->addAction(LoadStr(id::About));

    // Every menu command that mirrors a button runs that button's command.
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuLink, &QAction::triggered, this, &TFormMain::mnuLinkClick);
    connect(mnuTile, &QAction::triggered, this, &TFormMain::sbtnWinTileClick);
    connect(mnuDigitalMeter, &QAction::triggered, this, &TFormMain::sbtnDigitMeterClick);
    connect(mnuAnalogMeter, &QAction::triggered, this, &TFormMain::sbtnAnalogMeterClick);
    connect(mnuComparator, &QAction::triggered, this, &TFormMain::sbtnComparatorClick);
    connect(mnuGraphical, &QAction::triggered, this, &TFormMain::sbtnGraphicalClick);
    connect(mnuDataList, &QAction::triggered, this, &TFormMain::sbtnDataListClick);
    connect(mnuPort, &QAction::triggered, this, &TFormMain::sbtnPortClick);
    connect(mnuAbout, &QAction::triggered, this, &TFormMain::sbtnAboutClick);

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
    ProbePorts(State);
    State.WorkDir = QDir::currentPath();
    LoadSettings(State);
    State.hComPort = OpenComPort(State.SelectedPort);
    if (!State.hComPort)
        MessageShow(this, str::WarningCaption, kNoValidPort, {PromptButton::Ok}, PromptIcon::Exclamation);
}

bool TFormMain::linked() const
{
    return sbtnLink->isChecked();
}

// ---- link ----------------------------------------------------------------------

void TFormMain::sbtnLinkClick()
{
    if (!sbtnLink->isChecked()) {
        Acquisition->cancelTick(); // a read that waits ends quietly
        SendMessage(GraphicalForm, UM_LINK_ENDED);
        State.ReadingReceived = false;
    } else {
        iNoDataCount = 0;
        // The port hung up while linked, or a network port could not be
        // reached: open it anew (the meter may be back).
        if (bPortLost || (!State.hComPort && isNetworkPath(devicePathForPort(State.SelectedPort)))) {
            bPortLost = false;
            State.hComPort = OpenComPort(State.SelectedPort);
            if (!State.hComPort)
                MessageShow(this, str::WarningCaption, kNoValidPort, {PromptButton::Ok}, PromptIcon::Exclamation);
        }
    }
    RefreshLinkState();
    if (sbtnLink->isChecked())
        Acquisition->startTicking(State.hComPort.get());
    else
        Acquisition->stopTicking();
}

void TFormMain::mnuLinkClick()
{
    setLink(!sbtnLink->isChecked());
}

void TFormMain::setLink(bool down)
{
    sbtnLink->setChecked(down);
    sbtnLinkClick();
}

void TFormMain::RefreshLinkState()
{
    const bool l = sbtnLink->isChecked();
    const bool p = Rec.state().LoadInProgress;
    mnuLink->setText(LoadStr(l ? id::Unlink : id::Link));
    mnuLink->setEnabled(!p);
    mnuPort->setEnabled(!l && !p);
    mnuHelp->menuAction()->setEnabled(!l && !p);
    sbtnLink->setToolTip(LoadStr(l ? id::HintUnlink : id::HintLink));
    sbtnLink->setEnabled(!p);
    sbtnPort->setEnabled(!l && !p);
    sbtnAbout->setEnabled(!l && !p);
}

// ---- views and tiling ----------------------------------------------------------

void TFormMain::sbtnDigitMeterClick()
{
    bringToFront(DigitalMeterForm);
}

void TFormMain::sbtnAnalogMeterClick()
{
    bringToFront(AnalogMeterForm);
}

void TFormMain::sbtnComparatorClick()
{
    bringToFront(ComparatorForm);
}

void TFormMain::sbtnGraphicalClick()
{
    bringToFront(GraphicalForm);
}

void TFormMain::sbtnDataListClick()
{
    bringToFront(DataPageListForm);
}

void TFormMain::sbtnWinTileClick()
{
    TileWindows();
}

void TFormMain::TileWindows()
{
    Placement.taskbarReserve = systemTaskbarReserve();
    const int reserve = Placement.taskbarReserve;
    const SystemMetrics &metrics = Placement.metrics;
    const QSize screen = primaryScreenSize();
    const int w = screen.width();
    const int h = screen.height();
    setOuterGeometry(this, mainWindowRect(w, metrics));
    const int m = Placement.stripHeight;

    const QRect digital = digitalMeterRect(w, h, m);
    setOuterGeometry(DigitalMeterForm, digital);
    if (GraphicalForm && GraphicalForm->isVisible())
        setOuterGeometry(GraphicalForm, recorderRect(w, h, m, reserve));
    const QRect analog = analogMeterRect(w, m, digital.height(), metrics);
    if (AnalogMeterForm && AnalogMeterForm->isVisible())
        setOuterGeometry(AnalogMeterForm, analog);
    // A hidden analog meter still keeps its place in the column.
    const int analogHeight = AnalogMeterForm ? outerGeometry(AnalogMeterForm).height() : analog.height();
    if (DataPageListForm && DataPageListForm->isVisible())
        setOuterGeometry(DataPageListForm, dataListRect(w, h, m, digital.height(), analogHeight, reserve));
    if (ComparatorForm && ComparatorForm->isVisible()) {
        setOuterGeometry(ComparatorForm, comparatorRect(h, m, metrics, kAlarmButtonHeight, kLimitButtonHeight));
        ComparatorForm->raise();
    }
    activateWindow();
    setFocus();
}

// ---- port, About ---------------------------------------------------------------

void TFormMain::sbtnPortClick()
{
    if (State.hComPort) {
        State.hComPort->close(); // a plain close: no flush, no pause
        State.hComPort.reset();
    }
    bPortLost = false;
    DlgRsPortForm->iPortNo = State.SelectedPort;
    if (DlgRsPortForm->exec() == QDialog::Accepted)
        State.SelectedPort = DlgRsPortForm->iPortNo;
    State.hComPort = OpenComPort(State.SelectedPort);
    if (!State.hComPort)
        MessageShow(this, str::WarningCaption, kNoValidPort, {PromptButton::Ok}, PromptIcon::Stop);
    DigitalMeterForm->UpdateCaption();
    bringToFront(DigitalMeterForm);
}

void TFormMain::sbtnAboutClick()
{
    DlgAboutForm->exec();
}

// ---- the acquisition tick ------------------------------------------------------

PromptButton TFormMain::ShowAcquisitionWarning(int textId)
{
    const QString caption = codedCaption(str::WarningCaption, textId);
    if (textId == kLowBatteryText)
        return AutoMsgForm->ShowWarning(caption, LoadStr(textId), LoadStr(id::ContinueIn3s), QString());
    return AutoMsgForm->ShowWarning(caption, LoadStr(textId), LoadStr(id::RetryIn3s), LoadStr(id::CheckCable));
}

void TFormMain::ReadingArrived(const ReadingComputation::Outcome &outcome)
{
    const ReadingComputation &rc = Acquisition->computation;
    DigitalMeterForm->showReading(rc.digital);
    State.ReadingReceived = true;
    // The recorder is told first, then the analog meter, then the comparator.
    // While armed or recording the recorder judges its conditions on every reading.
    if (GraphicalForm && (Rec.state().bSampleRequest || Rec.state().running()))
        PostMessage(GraphicalForm, UM_READING);
    if (AnalogMeterForm) {
        AnalogMeterForm->values = rc.analog;
        if (shownAndNotMinimised(AnalogMeterForm))
            PostMessage(AnalogMeterForm, UM_READING);
    }
    if (ComparatorForm) {
        ComparatorForm->values = rc.comparator;
        if (outcome.comparatorUpdated && shownAndNotMinimised(ComparatorForm))
            PostMessage(ComparatorForm, UM_READING);
    }
}

void TFormMain::TickEnded(bool aborted)
{
    if (aborted)
        setLink(false); // unlinks; the ticks have stopped
}

void TFormMain::PortHungUp()
{
    // The tick has already unlinked (as the link button does); the dead port is
    // closed so that the next link opens it again. A network port that could
    // not be reached says why instead.
    const QString failure = State.hComPort ? State.hComPort->failure() : QString();
    CloseComPort(std::move(State.hComPort));
    bPortLost = true;
    if (!failure.isEmpty())
        MessageShowText(this, str::ErrorCaption, str::ConnectFailed, failure, {PromptButton::Ok}, PromptIcon::Stop);
    else
        TitledMessage(this, LoadStrArg(id::PortHungUp, comPortName(State.SelectedPort)), PromptIcon::Exclamation);
}

// ---- messages ------------------------------------------------------------------

void TFormMain::customEvent(QEvent *event)
{
    switch (int(event->type())) {
    case UM_UNLINK: setLink(false); break;
    case UM_LINK: setLink(true); break;
    case UM_STATE_CHANGED: RefreshLinkState(); break;
    default: QMainWindow::customEvent(event); break;
    }
}

// ---- closing -------------------------------------------------------------------

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
    const RecorderState &s = Rec.state();
    if (!GraphicalForm || s.bBufferEmpty || !s.bUnsaved)
        return true;
    const QString text = LoadStr(kBufferHasData) + QLatin1Char('\n') + LoadStr(kSaveBeforeExit);
    switch (MessageShowText(this, str::WarningCaption, kBufferHasData, text,
                            {PromptButton::Yes, PromptButton::No, PromptButton::Cancel}, PromptIcon::Question,
                            PromptButton::Cancel)) {
    case PromptButton::Yes:
        GraphicalForm->sbtnSaveFileClick();
        return !s.bUnsaved; // cancelled or failed: stay open with the data
    case PromptButton::No:
        Rec.abandonUnsaved(); // an interrupted recording opened into the buffer may go at exit
        return true;
    default: return false;
    }
}

void TFormMain::FormClose()
{
    bClosed = true;
    // The comparator's own limits are the ones in force.
    SaveSettings(State);
    Acquisition->stopTicking();
    Acquisition->cancelTick();
    if (State.hComPort)
        CloseComPort(std::move(State.hComPort));
    QCoreApplication::quit();
}

} // namespace orvel
