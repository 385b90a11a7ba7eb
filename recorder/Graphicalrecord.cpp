#include "recorder/Graphicalrecord.h"

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Mesgform.h"
#include "app/Messages.h"
#include "app/Messageshow.h"
#include "app/Startup.h"
#include "app/Tiling.h"
#include "chart/ChartSetup.h"
#include "chart/PEGraph.h"
#include "export/Dlgexportunit.h"
#include "export/Viewgraphunit.h"
#include "meter/FrameDecoder.h"
#include "meter/MeterReading.h"
#include "platform/UserPrompt.h"
#include "platform/WindowPlacement.h"
#include "recorder/Dlgoption.h"
#include "recorder/LoggerFile.h"
#include "recorder/Recovery.h"
#include "recorder/Tarecord.h"
#include "resources/Icons.h"
#include "resources/Strings.h"
#include "views/Datapagelist.h"
#include "views/PanelText.h"
#include "views/StatisticsWindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <new>

namespace orvel {

TGraphicalForm *GraphicalForm = nullptr;

namespace {
constexpr int kCaption = 104; // "Graphical Recorder"
constexpr int kIcon = 3;
constexpr int kFullSpeedMs = 500;
constexpr int kClockMs = 1000;
constexpr int kLoadBarSteps = 64;             // the progress window's bar while a file is read
constexpr qsizetype kLoadBlockRecords = 2048; // records read between looks at the clock
constexpr qint64 kLoadEventBudgetMs = 40;     // window messages run at least this often during a load

// String ids of the menus, hints, status texts and messages.
namespace id {
constexpr int File = 501, Open = 502, SaveAs = 503, PrinterSetup = 506, Import = 507, Clear = 508, Exit = 509,
              Acquisition = 761, Start = 762, Stop = 763, Manual = 764, Interval = 765, View = 831, FirstPage = 802,
              PageUp = 803, PageDown = 804, LastPage = 805, Print = 806, Export = 807, LineColor = 832, FitView = 833,
              UndoZoom = 834, Statistics = 2094;
constexpr int HintStart = 1040, HintStop = 1041, HintOpen = 1042, HintSave = 1043, HintPrint = 1044, HintClear = 1045,
              HintOption = 1046, HintManual = 1047, HintFirst = 1048, HintPageUp = 1049, HintPageDown = 1050,
              HintLast = 1051, HintFitView = 1052, HintUndoZoom = 1053, HintExport = 1054, HintImport = 1055;
constexpr int StatusRecording = 7001, StatusCount = 7002, StatusPage = 7003, ModeManual = 201, ModeFullSpeed = 203,
              IntervalSeconds = 205;
constexpr int PF = 2008, Max = 2009, Min = 2010, Reading = 2031, MicroFarad = 2033, Ohm = 2034;
constexpr int OpenFilter = 2042, SaveFilter = 2043, UntitledG52 = 2040, ReadingFile = 8005, AddingData = 8006,
              ReadingCount = 7999, FileOpenError = 9004, FileSaveError = 9005, Interrupted = 2095;
constexpr int NotLinked = 9002, CannotCreateTemp = 9003, NoMemory = 9006, ClearQuestion = 8002, FirstPageMsg = 8008,
              LastPageMsg = 8009, TempWriteFailed = 2050;
} // namespace id

const QColor kFuchsia(0xFF, 0x00, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kLime(0x00, 0xFF, 0x00);

QLabel *blackPanel(QWidget *parent, const char *name, const QColor &text, int pixelHeight, Qt::Alignment align,
                   const QString &face = QStringLiteral("Arial"))
{
    auto *p = new QLabel(parent);
    p->setObjectName(QLatin1String(name));
    p->setAutoFillBackground(true);
    QPalette pal = p->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, text);
    p->setPalette(pal);
    QFont f(face);
    f.setPixelSize(pixelHeight);
    p->setFont(f);
    p->setAlignment(align);
    return p;
}

// A trio of data, prefix and unit panels in one sunken frame: the data panel
// takes the rest, the prefix (14 px) and unit (20 px) panels sit at the right.
QFrame *trio(QWidget *parent, const char *name, const QColor &colour, QLabel *&data, QLabel *&unit, QLabel *&func,
             const char *dataName, const char *unitName, const char *funcName)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *row = new QHBoxLayout(frame);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(0);
    const QString face = QStringLiteral("Times New Roman");
    data = blackPanel(frame, dataName, colour, 16, Qt::AlignRight | Qt::AlignVCenter, face);
    unit = blackPanel(frame, unitName, colour, 16, Qt::AlignCenter, face);
    func = blackPanel(frame, funcName, colour, 16, Qt::AlignCenter, face);
    unit->setFixedWidth(14);
    func->setFixedWidth(20);
    row->addWidget(data, 1);
    row->addWidget(unit);
    row->addWidget(func);
    return frame;
}

void showStyled(QLabel *unitPanel, QLabel *funcPanel, const TARecord &r)
{
    const LabelStyle style = labelStyleFor(r.iFunction);
    showLabel(unitPanel, fieldText(r.szPrefix), style.prefixFace, style.prefixAlign);
    showLabel(funcPanel, fieldText(r.szUnit), style.unitFace, style.unitAlign);
}
} // namespace

TGraphicalForm::TGraphicalForm(QWidget *parent)
    : QMainWindow(parent)
    , TempStore(LoadStr(str::TempStoreStem))
{
    const QSize screen = primaryScreenSize();
    setOuterGeometry(this, recorderRect(screen.width(), screen.height(), FormMain->stripHeight(), TaskbarReserve));
    const SizeLimits limits = recorderLimits(screen.width(), screen.height(), FormMain->stripHeight(), TaskbarReserve);
    setSizeLimits(this, limits, NormalSize::Resizable);

    TimerLogger = new QTimer(this);
    TimerLogger->setInterval(kFullSpeedMs);
    connect(TimerLogger, &QTimer::timeout, this, &TGraphicalForm::TimerLoggerTimer);
    TimerTime = new QTimer(this);
    TimerTime->setInterval(kClockMs);
    connect(TimerTime, &QTimer::timeout, this, &TGraphicalForm::TimerTimeTimer);

    BuildControls();
    Statistics = new StatisticsWindow(this, [this] { return readingsInView(); });
    FormCreate();
    TimerTime->start();
    TimerTimeTimer();
    show();
}

TGraphicalForm::~TGraphicalForm()
{
    DeleteTemporaryStores();
}

void TGraphicalForm::BuildControls()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);
    auto *column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Bevel1 = new QFrame(client);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setFixedHeight(2);
    column->addWidget(Bevel1);

    // The toolbar: buttons at fixed places over a caption drawn at the right.
    ToolPanel = new QLabel(client);
    ToolPanel->setObjectName(QStringLiteral("ToolPanel"));
    ToolPanel->setFixedHeight(33);
    ToolPanel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont toolFont(QStringLiteral("Times New Roman"));
    toolFont.setPixelSize(15);
    toolFont.setItalic(true);
    ToolPanel->setFont(toolFont);
    QPalette toolPal = ToolPanel->palette();
    toolPal.setColor(QPalette::WindowText, kFuchsia);
    ToolPanel->setPalette(toolPal);
    column->addWidget(ToolPanel);

    auto button = [this](int left, int width, QStyle::StandardPixmap pixmap, const char *name) {
        auto *b = new QToolButton(ToolPanel);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(left, 7, width, 20);
        b->setIcon(style()->standardIcon(pixmap));
        b->setIconSize(QSize(14, 14));
        b->setAutoRaise(true);
        return b;
    };
    sbtnRecordStart = button(7, 20, QStyle::SP_MediaPlay, "sbtnRecordStart");
    sbtnRecordStop = button(26, 20, QStyle::SP_MediaStop, "sbtnRecordStop");
    sbtnManualLogging = button(46, 20, QStyle::SP_MediaSeekForward, "sbtnManualLogging");
    sbtnOption = button(65, 20, QStyle::SP_FileDialogDetailedView, "sbtnOption");
    sbtnOpenFile = button(98, 20, QStyle::SP_DialogOpenButton, "sbtnOpenFile");
    sbtnSaveFile = button(117, 20, QStyle::SP_DialogSaveButton, "sbtnSaveFile");
    sbtnPrintGraphic = button(136, 20, QStyle::SP_FileDialogContentsView, "sbtnPrintGraphic");
    sbtnClear = button(161, 20, QStyle::SP_TrashIcon, "sbtnClear");
    sbtnImport = button(187, 21, QStyle::SP_ArrowDown, "sbtnImport");
    sbtnExport = button(208, 21, QStyle::SP_ArrowRight, "sbtnExport");
    sbtnFirstPage = button(240, 20, QStyle::SP_MediaSkipBackward, "sbtnFirstPage");
    sbtnPageUp = button(260, 20, QStyle::SP_MediaSeekBackward, "sbtnPageUp");
    sbtnPageDown = button(279, 20, QStyle::SP_MediaSeekForward, "sbtnPageDown");
    sbtnLastPage = button(299, 20, QStyle::SP_MediaSkipForward, "sbtnLastPage");
    sbtnUndoZoom = button(324, 20, QStyle::SP_ArrowBack, "sbtnUndoZoom");
    sbtnFitView = button(344, 20, QStyle::SP_TitleBarMaxButton, "sbtnFitView");
    // Start and Stop are one group: one of them is always down.
    sbtnRecordStart->setCheckable(true);
    sbtnRecordStop->setCheckable(true);
    auto *group = new QButtonGroup(this);
    group->setExclusive(true);
    group->addButton(sbtnRecordStart);
    group->addButton(sbtnRecordStop);
    sbtnRecordStop->setChecked(true);

    // The reading under the cursor, and the largest and smallest reading.
    DisplayPanel = new QFrame(client);
    DisplayPanel->setObjectName(QStringLiteral("DisplayPanel"));
    DisplayPanel->setFixedHeight(33);
    auto *row = new QHBoxLayout(DisplayPanel);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(4);
    TimePanel = blackPanel(DisplayPanel, "TimePanel", Qt::white, 16, Qt::AlignCenter);
    TimePanel->setFixedWidth(98);
    row->addWidget(TimePanel);
    row->addWidget(trio(DisplayPanel, "Panel2", kLime, ReadingDataPanel, ReadingUnitPanel, ReadingFuncPanel,
                        "ReadingDataPanel", "ReadingUnitPanel", "ReadingFuncPanel"),
                   1);
    Label3 = new QLabel(LoadStr(id::PF), DisplayPanel);
    PFPanel = blackPanel(DisplayPanel, "PFPanel", kLime, 16, Qt::AlignCenter);
    row->addWidget(Label3);
    row->addWidget(PFPanel);
    auto caption = [this, row](int text, const QColor &colour) {
        auto *l = new QLabel(LoadStr(text), DisplayPanel);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, colour);
        l->setPalette(pal);
        row->addWidget(l);
    };
    caption(id::Max, kRed);
    row->addWidget(trio(DisplayPanel, "Panel3", kRed, MaxDataPanel, MaxUnitPanel, MaxFuncPanel, "MaxDataPanel",
                        "MaxUnitPanel", "MaxFuncPanel"),
                   1);
    caption(id::Min, kFuchsia);
    row->addWidget(trio(DisplayPanel, "Panel4", kFuchsia, MinDataPanel, MinUnitPanel, MinFuncPanel, "MinDataPanel",
                        "MinUnitPanel", "MinFuncPanel"),
                   1);
    column->addWidget(DisplayPanel);

    PEGraph = new orvel::PEGraph(client);
    PEGraph->setObjectName(QStringLiteral("PEGraph"));
    column->addWidget(PEGraph, 1);

    ProgressBar = new QProgressBar(client);
    ProgressBar->setFixedHeight(12);
    ProgressBar->setTextVisible(false);
    column->addWidget(ProgressBar);

    const int widths[5] = {110, 175, 175, 175, 50};
    for (int i = 0; i < 5; ++i) {
        StatusPanels[i] = new QLabel(this);
        StatusPanels[i]->setMinimumWidth(widths[i]);
        StatusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addWidget(StatusPanels[i], i == 4 ? 1 : 0);
    }
    StatusPanels[3]->setAlignment(Qt::AlignCenter);

    connect(sbtnRecordStart, &QToolButton::clicked, this, &TGraphicalForm::sbtnRecordStartClick);
    connect(sbtnRecordStop, &QToolButton::clicked, this, &TGraphicalForm::sbtnRecordStopClick);
    connect(sbtnManualLogging, &QToolButton::clicked, this, &TGraphicalForm::sbtnManualLoggingClick);
    connect(sbtnOption, &QToolButton::clicked, this, &TGraphicalForm::sbtnOptionClick);
    connect(sbtnOpenFile, &QToolButton::clicked, this, &TGraphicalForm::sbtnOpenFileClick);
    connect(sbtnSaveFile, &QToolButton::clicked, this, &TGraphicalForm::sbtnSaveFileClick);
    connect(sbtnPrintGraphic, &QToolButton::clicked, this, &TGraphicalForm::sbtnPrintGraphicClick);
    connect(sbtnClear, &QToolButton::clicked, this, &TGraphicalForm::sbtnClearClick);
    connect(sbtnImport, &QToolButton::clicked, this, &TGraphicalForm::sbtnImportClick);
    connect(sbtnExport, &QToolButton::clicked, this, &TGraphicalForm::sbtnExportClick);
    connect(sbtnFirstPage, &QToolButton::clicked, this, &TGraphicalForm::sbtnFirstPageClick);
    connect(sbtnPageUp, &QToolButton::clicked, this, &TGraphicalForm::sbtnPageUpClick);
    connect(sbtnPageDown, &QToolButton::clicked, this, &TGraphicalForm::sbtnPageDownClick);
    connect(sbtnLastPage, &QToolButton::clicked, this, &TGraphicalForm::sbtnLastPageClick);
    connect(sbtnUndoZoom, &QToolButton::clicked, this, &TGraphicalForm::sbtnUndoZoomClick);
    connect(sbtnFitView, &QToolButton::clicked, this, &TGraphicalForm::sbtnFitViewClick);
    connect(PEGraph, &PEGraph::OnCursorMoved, this, &TGraphicalForm::ShowCursorReading);
    connect(PEGraph, &PEGraph::OnZoomIn, this, &TGraphicalForm::PEGraphZoomIn);
    connect(PEGraph, &PEGraph::OnKeyDown, this, &TGraphicalForm::PEGraphKeyDown);
}

void TGraphicalForm::BuildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *file = bar->addMenu(LoadStr(id::File));
    mnuOpen = file->addAction(LoadStr(id::Open));
    mnuSaveAs = file->addAction(LoadStr(id::SaveAs));
    mnuClear = file->addAction(LoadStr(id::Clear));
    file->addSeparator();
    mnuImport = file->addAction(LoadStr(id::Import));
    mnuExport = file->addAction(LoadStr(id::Export));
    mnuPrint = file->addAction(LoadStr(id::Print));
    mnuPrinterSetup = file->addAction(LoadStr(id::PrinterSetup));
    file->addSeparator();
    mnuExit = file->addAction(LoadStr(id::Exit));

    QMenu *acquisition = bar->addMenu(LoadStr(id::Acquisition));
    mnuStart = acquisition->addAction(LoadStr(id::Start));
    mnuStart->setShortcut(Qt::Key_F9);
    mnuStop = acquisition->addAction(LoadStr(id::Stop));
    mnuStop->setShortcut(Qt::Key_F3);
    mnuManual = acquisition->addAction(LoadStr(id::Manual));
    mnuManual->setShortcut(Qt::Key_F7);
    acquisition->addSeparator();
    mnuInterval = acquisition->addAction(LoadStr(id::Interval));

    QMenu *view = bar->addMenu(LoadStr(id::View));
    mnuFirstPage = view->addAction(LoadStr(id::FirstPage));
    mnuFirstPage->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    mnuPageUp = view->addAction(LoadStr(id::PageUp));
    mnuPageDown = view->addAction(LoadStr(id::PageDown));
    mnuLastPage = view->addAction(LoadStr(id::LastPage));
    mnuLastPage->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    view->addSeparator();
    mnuFitView = view->addAction(LoadStr(id::FitView));
    mnuFitView->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuUndoZoom = view->addAction(LoadStr(id::UndoZoom));
    mnuUndoZoom->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuUndoZoom->setEnabled(false);
    view->addSeparator();
    mnuLineColor = view->addAction(LoadStr(id::LineColor));
    view->addSeparator();
    mnuStatistics = view->addAction(LoadStr(id::Statistics));

    // Items with a toolbar twin run the twin's command; Start and Stop put their button down first.
    connect(mnuOpen, &QAction::triggered, this, &TGraphicalForm::sbtnOpenFileClick);
    connect(mnuSaveAs, &QAction::triggered, this, &TGraphicalForm::sbtnSaveFileClick);
    connect(mnuClear, &QAction::triggered, this, &TGraphicalForm::sbtnClearClick);
    connect(mnuImport, &QAction::triggered, this, &TGraphicalForm::sbtnImportClick);
    connect(mnuExport, &QAction::triggered, this, &TGraphicalForm::sbtnExportClick);
    connect(mnuPrint, &QAction::triggered, this, &TGraphicalForm::sbtnPrintGraphicClick);
    connect(mnuPrinterSetup, &QAction::triggered, this, &TGraphicalForm::mnuPrinterSetupClick);
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuStart, &QAction::triggered, this, [this] {
        sbtnRecordStart->setChecked(true);
        sbtnRecordStartClick();
    });
    connect(mnuStop, &QAction::triggered, this, [this] {
        sbtnRecordStop->setChecked(true);
        sbtnRecordStopClick();
    });
    connect(mnuManual, &QAction::triggered, this, &TGraphicalForm::sbtnManualLoggingClick);
    connect(mnuInterval, &QAction::triggered, this, &TGraphicalForm::sbtnOptionClick);
    connect(mnuFirstPage, &QAction::triggered, this, &TGraphicalForm::sbtnFirstPageClick);
    connect(mnuPageUp, &QAction::triggered, this, &TGraphicalForm::sbtnPageUpClick);
    connect(mnuPageDown, &QAction::triggered, this, &TGraphicalForm::sbtnPageDownClick);
    connect(mnuLastPage, &QAction::triggered, this, &TGraphicalForm::sbtnLastPageClick);
    connect(mnuFitView, &QAction::triggered, this, &TGraphicalForm::sbtnFitViewClick);
    connect(mnuUndoZoom, &QAction::triggered, this, &TGraphicalForm::sbtnUndoZoomClick);
    connect(mnuLineColor, &QAction::triggered, this, &TGraphicalForm::mnuLineColorClick);
    connect(mnuStatistics, &QAction::triggered, this, [this] { Statistics->open(); });

    sbtnRecordStart->setToolTip(LoadStr(id::HintStart));
    sbtnRecordStop->setToolTip(LoadStr(id::HintStop));
    sbtnManualLogging->setToolTip(LoadStr(id::HintManual));
    sbtnOption->setToolTip(LoadStr(id::HintOption));
    sbtnOpenFile->setToolTip(LoadStr(id::HintOpen));
    sbtnSaveFile->setToolTip(LoadStr(id::HintSave));
    sbtnPrintGraphic->setToolTip(LoadStr(id::HintPrint));
    sbtnClear->setToolTip(LoadStr(id::HintClear));
    sbtnImport->setToolTip(LoadStr(id::HintImport));
    sbtnExport->setToolTip(LoadStr(id::HintExport));
    sbtnFirstPage->setToolTip(LoadStr(id::HintFirst));
    sbtnPageUp->setToolTip(LoadStr(id::HintPageUp));
    sbtnPageDown->setToolTip(LoadStr(id::HintPageDown));
    sbtnLastPage->setToolTip(LoadStr(id::HintLast));
    sbtnUndoZoom->setToolTip(LoadStr(id::HintUndoZoom));
    sbtnFitView->setToolTip(LoadStr(id::HintFitView));
}

void TGraphicalForm::FormCreate()
{
    setWindowIcon(programIcon(kIcon));
    setWindowTitle(LoadStr(kCaption));
    ToolPanel->setText(windowTitle() + QStringLiteral("   "));
    BuildMenus();
    sbtnUndoZoom->setEnabled(false);
    bManualMode = false;
    iLoggerInterval = kFullSpeedMs;
    ResetRecorder();
    TimerLogger->setInterval(kFullSpeedMs);
    UpdateButtons();
    UpdateMenus();
    UpdateStatus();
    SetUpChart();
    sbtnImport->setVisible(false);
    mnuImport->setVisible(false);
    Label3->setVisible(false);
    PFPanel->setVisible(false);
    PEGraph->setFocus();
}

// ---- the chart -----------------------------------------------------------------

void TGraphicalForm::SetUpChart()
{
    setUpRecorderChart(*PEGraph, palette().color(QPalette::Button));
    PEGraph->SetManualMaxY(Scale.fScaleMax);
    PEGraph->SetManualMinY(Scale.fScaleMin);
    redrawChart();
}

void TGraphicalForm::redrawChart()
{
    PEGraph->SetPEnarg1(0);
    PEGraph->SetPEnarg2(0);
    PEGraph->SetPEactions(gReinitAndReset);
    syncUndoZoom();
    if (Statistics)
        Statistics->refresh();
}

std::pair<qsizetype, qsizetype> TGraphicalForm::readingsInView() const
{
    const qsizetype n = readingBuffer().count();
    const PageRange page = pageRange(n, iLastPage, iShownPage);
    const ChartModel &chart = PEGraph->model();
    if (!chart.isZoomed())
        return {page.first, page.count};
    return pageReadings(page, chart.firstShown(), chart.lastShown());
}

void TGraphicalForm::syncUndoZoom()
{
    const bool zoomed = PEGraph->isZoomed();
    sbtnUndoZoom->setEnabled(zoomed);
    mnuUndoZoom->setEnabled(zoomed);
}

void TGraphicalForm::ClearChart()
{
    PEGraph->SetSubsetLineTypes(0, gThinSolid);
    PEGraph->SetPoints(iPagePoints);
    PEGraph->SetMaxPointsToGraph(iPagePoints);
    PEGraph->SetPointsToGraph(iPagePoints);
    PEGraph->SetManualMaxY(Scale.fScaleMax);
    PEGraph->SetManualMinY(Scale.fScaleMin);
    for (int i = 0; i < iPagePoints; ++i) {
        PEGraph->SetYData(0, i, kEmptyPointValue);
        PEGraph->SetPointLabels(i, QStringLiteral(" "));
    }
    redrawChart();
    PEGraph->SetCursorPoint(iPagePoints - 1);
    ShowCursorReading();
}

void TGraphicalForm::ShowPage()
{
    loadPagePoints(iShownPage);
    redrawChart();
    ShowCursorReading();
    updatePageCommands();
    UpdateStatus();
}

void TGraphicalForm::loadPagePoints(int page)
{
    const ReadingBuffer &buffer = readingBuffer();
    const PageRange range = pageRange(buffer.count(), iLastPage, page);
    for (int point = 0; point < iPagePoints; ++point) {
        const int k = point - range.emptyPoints;
        if (point < range.emptyPoints || k >= range.count) {
            PEGraph->SetYData(0, point, kEmptyPointValue);
            PEGraph->SetPointLabels(point, QStringLiteral(" "));
            continue;
        }
        const TARecord &r = buffer.at(range.first + k);
        // A value that is no number (a damaged file) is left out of the line.
        PEGraph->SetYData(0, point, std::isfinite(r.fReading) ? r.fReading : kEmptyPointValue);
        PEGraph->SetPointLabels(point, fieldText(r.szTime));
    }
}

void TGraphicalForm::updatePageCommands()
{
    const bool notFirst = iShownPage != 1;
    const bool notLast = iShownPage != iLastPage;
    sbtnFirstPage->setEnabled(notFirst);
    sbtnPageUp->setEnabled(notFirst);
    mnuFirstPage->setEnabled(notFirst);
    mnuPageUp->setEnabled(notFirst);
    sbtnPageDown->setEnabled(notLast);
    sbtnLastPage->setEnabled(notLast);
    mnuPageDown->setEnabled(notLast);
    mnuLastPage->setEnabled(notLast);
}

void TGraphicalForm::UpdateScale(float value)
{
    Scale.UpdateScale(value, iStoredCount);
    PEGraph->SetManualMaxY(Scale.fScaleMax);
    PEGraph->SetManualMinY(Scale.fScaleMin);
}

void TGraphicalForm::ShowCursorReading()
{
    const ReadingBuffer &buffer = readingBuffer();
    if (buffer.isEmpty())
        return;
    const qsizetype index = cursorIndex(PEGraph->GetCursorPoint(), buffer.count(), iLastPage, iShownPage);
    QString axis = LoadStr(id::Reading);
    if (index < 0) {
        TimePanel->clear();
        ReadingDataPanel->clear();
        ReadingUnitPanel->clear();
        ReadingFuncPanel->clear();
    } else {
        const TARecord &r = buffer.at(index);
        TimePanel->setText(fieldText(r.szTime));
        ReadingDataPanel->setText(fieldText(r.szDisplay));
        PFPanel->setText(fieldText(r.szAux));
        showStyled(ReadingUnitPanel, ReadingFuncPanel, r);
        if (r.iFunction == fn::Capacitance)
            axis += LoadStr(id::MicroFarad);
        else if (r.iFunction == fn::Ohm || r.iFunction == fn::OhmFlag8)
            axis += LoadStr(id::Ohm);
        else
            axis += QLatin1Char('(') + ReadingFuncPanel->text() + QLatin1Char(')');
    }
    PEGraph->SetYAxisLabel(axis);
    redrawChart();
}

void TGraphicalForm::PEGraphZoomIn()
{
    sbtnUndoZoom->setEnabled(true);
    mnuUndoZoom->setEnabled(true);
    Statistics->refresh();
}

void TGraphicalForm::sbtnUndoZoomClick()
{
    PEGraph->SetPEactions(gUndoZoom);
    sbtnUndoZoom->setEnabled(false);
    mnuUndoZoom->setEnabled(false);
    Statistics->refresh();
}

void TGraphicalForm::PEGraphKeyDown(int key, Qt::KeyboardModifiers)
{
    // PgUp and PgDn page whatever the modifiers, even while the buttons are
    // disabled; never while a file loads or an export runs.
    if (LoadInProgress || ExportInProgress)
        return;
    if (key == Qt::Key_PageUp)
        sbtnPageUpClick();
    else if (key == Qt::Key_PageDown)
        sbtnPageDownClick();
}

void TGraphicalForm::sbtnFirstPageClick()
{
    if (LoadInProgress || ExportInProgress)
        return;
    iShownPage = 1;
    ShowPage();
}

void TGraphicalForm::sbtnPageUpClick()
{
    if (LoadInProgress || ExportInProgress)
        return;
    if (iShownPage == 1) {
        ShowCodedMessage(this, str::WarningCaption, id::FirstPageMsg);
        return;
    }
    --iShownPage;
    ShowPage();
}

void TGraphicalForm::sbtnPageDownClick()
{
    if (LoadInProgress || ExportInProgress)
        return;
    if (iShownPage == iLastPage) {
        ShowCodedMessage(this, str::WarningCaption, id::LastPageMsg);
        return;
    }
    ++iShownPage;
    ShowPage();
}

void TGraphicalForm::sbtnLastPageClick()
{
    if (LoadInProgress || ExportInProgress)
        return;
    iShownPage = iLastPage;
    ShowPage();
}

void TGraphicalForm::sbtnFitViewClick()
{
    if (LoadInProgress || ExportInProgress)
        return;
    FormViewGraphic->exec();
}

// ---- storing a reading -----------------------------------------------------------

void TGraphicalForm::TakeSample()
{
    if (iShownPage != iLastPage) {
        iShownPage = iLastPage;
        ShowPage();
    }
    const TMeterReading &reading = FormMain->MeterReading();
    const QString time = formatTimeStamp(Clock());
    const std::optional<float> value = storedValue(reading);
    if (!value)
        return; // a blank display or a text that is no number: nothing is stored
    UpdateScale(*value);

    const TARecord record(reading.sValue, reading.sExponent, reading.iFunction, time, reading.szDisplay,
                          reading.szPrefix, reading.szUnit, *value, reading.sAux);
    ReadingBuffer &buffer = readingBuffer();
    try {
        buffer.append(record);
    } catch (const std::bad_alloc &) {
        ShowCodedMessage(this, str::ErrorCaption, id::NoMemory);
        if (bRecording)
            pressStop();
        return;
    }
    if (TempStore.isOpen() && !TempStore.write(record))
        temporaryStoreFailed();
    UpdateExtremes(*value);

    PEGraph->GethObject().appendPoint(*value, time);
    redrawChart();

    iLastPage = iStoredCount / iPagePoints + 1;
    iShownPage = iLastPage;
    PEGraph->SetCursorPoint(iPagePoints - 1);
    ShowCursorReading();
    SendMessage(DataPageListForm, UM_LIST_ADD, int(buffer.count() - 1));
    ProgressBar->setValue(ProgressBar->value() >= ProgressBar->maximum() ? ProgressBar->minimum()
                                                                         : ProgressBar->value() + 1);
    ++iStoredCount;
    UpdateStatus();
    bBufferEmpty = false;
    bUnsaved = true;
    UpdateButtons();
    UpdateMenus();
}

void TGraphicalForm::UpdateExtremes(float value)
{
    const ReadingBuffer &buffer = readingBuffer();
    if (!buffer.isEmpty())
        Extreme.UpdateExtremes(buffer, buffer.count() - 1, value);
    if (iStoredCount == 0) {
        for (QLabel *p : {MaxDataPanel, MaxUnitPanel, MaxFuncPanel, MinDataPanel, MinUnitPanel, MinFuncPanel})
            p->clear();
        return;
    }
    showExtremes();
}

void TGraphicalForm::showExtremes()
{
    const ReadingBuffer &buffer = readingBuffer();
    // The first reading leaves the panels blank; from the second on they show the extremes.
    if (buffer.count() < 2 || Extreme.iMaxIndex >= buffer.count() || Extreme.iMinIndex >= buffer.count()) {
        for (QLabel *p : {MaxDataPanel, MaxUnitPanel, MaxFuncPanel, MinDataPanel, MinUnitPanel, MinFuncPanel})
            p->clear();
        return;
    }
    showRecordInTrio(buffer.at(Extreme.iMaxIndex), MaxDataPanel, MaxUnitPanel, MaxFuncPanel);
    showRecordInTrio(buffer.at(Extreme.iMinIndex), MinDataPanel, MinUnitPanel, MinFuncPanel);
}

void TGraphicalForm::showRecordInTrio(const TARecord &r, QLabel *dataPanel, QLabel *unit, QLabel *func)
{
    dataPanel->setText(fieldText(r.szDisplay));
    showStyled(unit, func, r);
}

bool TGraphicalForm::OpenTemporaryStore()
{
    return TempStore.open(WorkDir);
}

void TGraphicalForm::CloseTemporaryStore()
{
    TempStore.close();
}

void TGraphicalForm::DeleteTemporaryStores()
{
    TempStore.deleteAll();
}

void TGraphicalForm::temporaryStoreFailed()
{
    const QString why = TempStore.errorText();
    CloseTemporaryStore();
    MessageRequest request;
    request.caption = ApplicationTitle();
    request.text = LoadStrArg(id::TempWriteFailed, why);
    request.icon = PromptIcon::Stop;
    request.owner = this;
    prompt().message(request);
    if (bRecording)
        pressStop();
}

// ---- recording commands ----------------------------------------------------------

void TGraphicalForm::showRequiresLink()
{
    MessageShow(this, str::ErrorCaption, id::NotLinked, {PromptButton::Ok}, PromptIcon::Stop);
    sbtnRecordStop->setChecked(true);
}

void TGraphicalForm::sbtnRecordStartClick()
{
    if (LoadInProgress || ExportInProgress) {
        sbtnRecordStop->setChecked(!bRecording);
        return;
    }
    if (!ReadingReceived) {
        showRequiresLink();
        return;
    }
    TimerLogger->setInterval(iLoggerInterval);
    if (sbtnRecordStart->isChecked())
        TimerLogger->start();
    bRecording = TimerLogger->isActive();
    // Opening the next file closes the one of a recording that still runs.
    if (!OpenTemporaryStore()) {
        ShowCodedMessage(this, str::ErrorCaption, id::CannotCreateTemp);
        pressStop();
    }
    bSampleRequest = true;
}

void TGraphicalForm::pressStop()
{
    sbtnRecordStop->setChecked(true);
    sbtnRecordStopClick();
}

void TGraphicalForm::sbtnRecordStopClick()
{
    CloseTemporaryStore();
    if (sbtnRecordStop->isChecked())
        TimerLogger->stop();
    else
        TimerLogger->start();
    bRecording = TimerLogger->isActive();
    UpdateButtons();
    UpdateMenus();
    UpdateStatus();
}

void TGraphicalForm::sbtnManualLoggingClick()
{
    if (LoadInProgress || ExportInProgress)
        return;
    if (!ReadingReceived) {
        showRequiresLink();
        return;
    }
    TakeSample();
}

void TGraphicalForm::sbtnOptionClick()
{
    DialogOption->bManualChosen = bManualMode;
    DialogOption->iIntervalSeconds = iLoggerInterval == kFullSpeedMs ? 0 : iLoggerInterval / 1000;
    if (DialogOption->exec() != QDialog::Accepted)
        return;
    iLoggerInterval = DialogOption->iIntervalSeconds == 0 ? kFullSpeedMs : DialogOption->iIntervalSeconds * 1000;
    bManualMode = DialogOption->bManualChosen;
    UpdateButtons();
    UpdateMenus();
    UpdateStatus();
}

void TGraphicalForm::sbtnOpenFileClick()
{
    if (LoadInProgress || ExportInProgress)
        return;
    sbtnClearClick();
    if (!bBufferEmpty)
        return; // the user kept the data
    FileRequest request;
    request.filter = LoadStr(id::OpenFilter);
    request.defaultExtension = QStringLiteral("g52");
    request.owner = this;
    const QString path = prompt().openFileName(request);
    if (path.isEmpty())
        return;
    QCoreApplication::processEvents();
    LoadFile(path);
}

void TGraphicalForm::LoadFile(const QString &path)
{
    LoggerFileReader reader;
    if (!reader.open(path)) {
        ShowCodedMessage(this, str::ErrorCaption, id::FileOpenError);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    MsgForm->setMessage(QStringLiteral("[W%1] ").arg(id::ReadingFile) + LoadStr(id::ReadingFile), Qt::red);
    MsgForm->Label1->clear();
    MsgForm->ProgressBar->setRange(0, kLoadBarSteps);
    MsgForm->ProgressBar->setValue(0);
    MsgForm->bbtnAbort->setEnabled(true);
    MsgForm->show();
    LoadInProgress = true;
    // Nothing may change the buffer under the load: the recorder's commands
    // and the main window's link, port and help are out of reach until it ends.
    UpdateButtons();
    UpdateMenus();
    FormMain->RefreshLinkState();

    ReadingBuffer &buffer = readingBuffer();
    buffer.clear(); // the recorder is empty; a reset may have left records behind
    const qsizetype n = reader.recordCount();
    try {
        buffer.reserve(n);
    } catch (const std::bad_alloc &) {
        // Read what fits; the blocks below report when memory runs out.
    }
    iLastPage = pageCount(n);
    ProgressBar->setRange(0, iPagePoints);

    // Reading phase. Window messages run on a time budget, not per record; the
    // abort question can only be answered while they run, so checking the flag
    // right after each such turn stops the load before the next record is read.
    QElapsedTimer sinceEvents;
    auto letEventsRun = [&] {
        MsgForm->ProgressBar->setValue(int(reader.recordsRead() % (kLoadBarSteps + 1)));
        MsgForm->Label1->setText(LoadStrFmt(id::ReadingCount, int(reader.recordsRead()), int(n)));
        QCoreApplication::processEvents();
        sinceEvents.restart();
        return LoadInProgress;
    };
    sinceEvents.start();
    bool aborted = !letEventsRun();
    while (!aborted && !reader.atEnd()) {
        try {
            if (reader.readBlock(buffer, kLoadBlockRecords) == 0)
                break;
        } catch (const std::bad_alloc &) {
            ShowCodedMessage(this, str::ErrorCaption, id::NoMemory);
            break;
        }
        if (sinceEvents.elapsed() >= LoadEventBudgetMs)
            aborted = !letEventsRun();
    }
    reader.close();
    LoadInProgress = true; // an abort cleared it; the counting below still belongs to the load
    MsgForm->Label1->setText(LoadStrFmt(id::ReadingCount, int(reader.recordsRead()), int(n)));
    MsgForm->ProgressBar->setValue(MsgForm->ProgressBar->maximum());
    MsgForm->bbtnAbort->setEnabled(false);
    QCoreApplication::processEvents();
    MsgForm->setMessage(QStringLiteral("[W%1] ").arg(id::AddingData) + LoadStr(id::AddingData), Qt::blue);

    // Counting phase, as one batch: scale and extremes in one pass, the data
    // list told once, one page drawn. An aborted load keeps what it read.
    const qsizetype loaded = buffer.count();
    for (qsizetype j = 0; j < loaded; ++j) {
        const float v = buffer.at(j).fReading;
        Scale.UpdateScale(v, j);
        Extreme.UpdateExtremes(buffer, j, v);
    }
    PEGraph->SetManualMaxY(Scale.fScaleMax);
    PEGraph->SetManualMinY(Scale.fScaleMin);
    DataPageListForm->addLines(0, loaded);
    iStoredCount = int(loaded);
    ProgressBar->setValue(int(loaded % (iPagePoints + 1)));
    showExtremes();
    iLastPage = pageCount(loaded);
    iShownPage = iLastPage;
    ShowPage();
    MsgForm->bbtnAbort->setEnabled(true);
    MsgForm->hide();
    QApplication::restoreOverrideCursor();
    PEGraph->SetCursorPoint(iPagePoints - 1);
    ShowCursorReading();

    bBufferEmpty = aborted && loaded == 0;
    bUnsaved = !bBufferEmpty;
    LoadInProgress = false;
    UpdateButtons();
    UpdateMenus();
    updatePageCommands();
    UpdateStatus();
    FormMain->RefreshLinkState();
}

void TGraphicalForm::OfferInterruptedRecordings()
{
    const QList<InterruptedRecording> found = findInterruptedRecordings(WorkDir, LoadStr(str::TempStoreStem));
    for (const InterruptedRecording &r : found) {
        MessageRequest request;
        request.caption = ApplicationTitle();
        request.text =
            LoadStr(id::Interrupted)
                .arg(r.lastTime, QLocale(QLocale::English).toString(r.records), QDir::toNativeSeparators(r.path));
        request.buttons = {PromptButton::Yes, PromptButton::No};
        request.icon = PromptIcon::Question;
        request.defaultButton = PromptButton::Yes;
        request.owner = this;
        if (prompt().message(request) != PromptButton::Yes)
            continue; // kept for later
        if (!bBufferEmpty && bUnsaved)
            return; // never over data that has not been saved
        LoadFile(r.path);
        return; // one recording in the buffer at a time; the others stay for later
    }
}

void TGraphicalForm::sbtnSaveFileClick()
{
    FileRequest request;
    request.fileName = LoadStr(id::UntitledG52);
    request.filter = LoadStr(id::SaveFilter);
    request.defaultExtension = QStringLiteral("g52");
    request.promptOverwrite = true;
    request.owner = this;
    const QString path = prompt().saveFileName(request);
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool saved = saveLoggerFile(path, readingBuffer());
    QApplication::restoreOverrideCursor();
    if (!saved) {
        // Nothing was replaced; the data stays marked unsaved.
        ShowCodedMessage(this, str::ErrorCaption, id::FileSaveError);
        return;
    }
    bBufferEmpty = false;
    bUnsaved = false;
    UpdateButtons();
    UpdateMenus();
}

void TGraphicalForm::sbtnExportClick()
{
    if (LoadInProgress || ExportInProgress)
        return;
    DlgExportForm->RecorderExport();
}

void TGraphicalForm::sbtnImportClick()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SendMessage(FormMain, UM_UNLINK);
    QApplication::restoreOverrideCursor();
}

void TGraphicalForm::sbtnPrintGraphicClick()
{
    PEGraph->SetViewingStyle(gMonochrome);
    PEGraph->SetPEactions(gResetImage);
    QCoreApplication::processEvents();
    PEGraph->SetPEactions(gPrintDialog);
    PEGraph->SetViewingStyle(gColor);
    redrawChart();
}

void TGraphicalForm::mnuPrinterSetupClick()
{
    prompt().printerSetup(programPrinter(), this);
}

void TGraphicalForm::mnuLineColorClick()
{
    const std::optional<quint32> colour = prompt().chooseColor(PEGraph->GetSubsetColors(0).rgb() & 0xFFFFFF, this);
    if (!colour)
        return;
    PEGraph->SetSubsetColors(0, QColor::fromRgb(*colour));
    redrawChart();
}

void TGraphicalForm::sbtnClearClick()
{
    if (bBufferEmpty || ExportInProgress)
        return;
    if (bUnsaved && MessageShow(this, str::WarningCaption, id::ClearQuestion, {PromptButton::Ok, PromptButton::Cancel},
                                PromptIcon::Question, PromptButton::Cancel) != PromptButton::Ok)
        return;
    ResetRecorder();
    TimerLogger->setInterval(iLoggerInterval);
    readingBuffer().clear();
    ClearChart();
    SendMessage(DataPageListForm, UM_LIST_RESET);
    UpdateExtremes(0.0f);
    UpdateButtons();
    UpdateMenus();
    UpdateStatus();
}

// ---- states ----------------------------------------------------------------------

void TGraphicalForm::ResetRecorder()
{
    bRecording = false;
    bBufferEmpty = true;
    bUnsaved = false;
    bSampleRequest = false;
    iLastPage = 1;
    iShownPage = 1;
    iStoredCount = 0;
    Extreme = Extremes{};
    Scale = ScaleRange{};
    ProgressBar->setRange(0, iPagePoints);
    ProgressBar->setValue(0);
}

void TGraphicalForm::UpdateButtons()
{
    const bool busy = bRecording || LoadInProgress || ExportInProgress;
    sbtnRecordStart->setEnabled(!bManualMode && !LoadInProgress && !ExportInProgress);
    sbtnRecordStop->setEnabled(!bManualMode && !LoadInProgress);
    sbtnManualLogging->setEnabled(bManualMode && !busy);
    for (QToolButton *b : {sbtnOption, sbtnOpenFile, sbtnImport})
        b->setEnabled(!busy);
    for (QToolButton *b : {sbtnSaveFile, sbtnPrintGraphic, sbtnClear, sbtnExport})
        b->setEnabled(!busy && !bBufferEmpty);
    const bool severalPages = iLastPage != 1;
    sbtnFirstPage->setEnabled(!busy && severalPages);
    sbtnPageUp->setEnabled(!busy && severalPages);
    sbtnFitView->setEnabled(!busy && severalPages);
    sbtnPageDown->setEnabled(false);
    sbtnLastPage->setEnabled(false);
}

void TGraphicalForm::UpdateMenus()
{
    const bool busy = bRecording || LoadInProgress || ExportInProgress;
    for (QAction *a : {mnuOpen, mnuPrinterSetup, mnuInterval, mnuImport})
        a->setEnabled(!busy);
    for (QAction *a : {mnuSaveAs, mnuClear, mnuPrint, mnuExport})
        a->setEnabled(!busy && !bBufferEmpty);
    mnuStart->setEnabled(!bRecording && !bManualMode && !LoadInProgress && !ExportInProgress);
    mnuStop->setEnabled(bRecording && !bManualMode && !LoadInProgress);
    mnuManual->setEnabled(bManualMode && !busy);
    const bool severalPages = iLastPage != 1;
    mnuFirstPage->setEnabled(!busy && severalPages);
    mnuPageUp->setEnabled(!busy && severalPages);
    mnuFitView->setEnabled(!busy && severalPages);
    mnuPageDown->setEnabled(false);
    mnuLastPage->setEnabled(false);
}

void TGraphicalForm::UpdateStatus()
{
    StatusPanels[0]->setText(bRecording ? LoadStr(id::StatusRecording) : QString());
    StatusPanels[1]->setText(LoadStrFmt(id::StatusCount, iStoredCount));
    StatusPanels[2]->setText(LoadStrFmt(id::StatusPage, iShownPage, iLastPage));
    if (bManualMode)
        StatusPanels[3]->setText(LoadStr(id::ModeManual));
    else if (iLoggerInterval == kFullSpeedMs)
        StatusPanels[3]->setText(LoadStr(id::ModeFullSpeed));
    else
        StatusPanels[3]->setText(LoadStr(id::IntervalSeconds) + QLatin1Char(':') +
                                 QString::number(iLoggerInterval / 1000) + QLatin1Char('S'));
}

// ---- timers and messages ---------------------------------------------------------

void TGraphicalForm::TimerLoggerTimer()
{
    bSampleRequest = true;
}

void TGraphicalForm::TimerTimeTimer()
{
    // Two blanks, AM/PM, the 12-hour time and a closing double quote.
    StatusPanels[4]->setText(QStringLiteral("  ") + QTime::currentTime().toString(QStringLiteral("AP hh:mm:ss")) +
                             QLatin1Char('"'));
}

void TGraphicalForm::customEvent(QEvent *event)
{
    switch (int(event->type())) {
    case UM_READING: UmReading(); break;
    case UM_LINK_ENDED: UmLinkEnded(); break;
    case UM_STATE_CHANGED: UmStateChanged(); break;
    default: QMainWindow::customEvent(event); break;
    }
}

void TGraphicalForm::UmReading()
{
    // While a file loads or an export runs the buffer must not change: the
    // request stays pending and a later reading is stored.
    if (LoadInProgress || ExportInProgress)
        return;
    bSampleRequest = false;
    TakeSample();
}

void TGraphicalForm::UmLinkEnded()
{
    if (bRecording)
        pressStop();
}

void TGraphicalForm::UmStateChanged()
{
    // A reset never leaves a recording running without its flag.
    if (bRecording)
        pressStop();
    LoadInProgress = false;
    ResetRecorder();
    TimerLogger->setInterval(iLoggerInterval);
    ClearChart();
    UpdateButtons();
    UpdateMenus();
    UpdateStatus();
    SendMessage(FormMain, UM_STATE_CHANGED);
    SendMessage(DataPageListForm, UM_LIST_RESET);
}

void TGraphicalForm::closeEvent(QCloseEvent *event)
{
    // Closing only hides the window; a recording that runs stops as Stop stops it.
    if (bRecording)
        pressStop();
    event->accept();
}

} // namespace orvel
