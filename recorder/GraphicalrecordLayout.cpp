// The recorder window's controls and menu bar, laid out as a form designer
// would: the toolbar buttons at their places, the display panels, the chart,
// the progress bar and the status bar; the menus, each item sharing its
// toolbar button's action where both follow the same rule.

#include "recorder/Graphicalrecord.h"

#include "chart/PEGraph.h"
#include "meter/PanelText.h"
#include "recorder/PageProgressBar.h"
#include "recorder/StatisticsWindow.h"
#include "resources/Strings.h"

#include <QAction>
#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvel {

namespace {
// String ids of the menus, their items, the hints and the captions.
namespace id {
constexpr int File = 501, Open = 502, SaveAs = 503, PrinterSetup = 506, Import = 507, Clear = 508, Exit = 509,
              Acquisition = 761, Start = 762, Stop = 763, Manual = 764, Interval = 765, View = 831, FirstPage = 802,
              PageUp = 803, PageDown = 804, LastPage = 805, Print = 806, Export = 807, LineColor = 832, FitView = 833,
              UndoZoom = 834, Statistics = 2094, Mark = 2350, MarkText = 2351, EditMark = 2352, RemoveMark = 2353,
              Conditions = 2450;
constexpr int HintStart = 1040, HintStop = 1041, HintOpen = 1042, HintSave = 1043, HintPrint = 1044, HintClear = 1045,
              HintOption = 1046, HintManual = 1047, HintFirst = 1048, HintPageUp = 1049, HintPageDown = 1050,
              HintLast = 1051, HintFitView = 1052, HintUndoZoom = 1053, HintExport = 1054, HintImport = 1055,
              HintMark = 2354, HintConditions = 2465;
constexpr int PF = 2008, Max = 2009, Min = 2010;
} // namespace id

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
} // namespace

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
    setTextColour(ToolPanel, kFuchsia);
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
    sbtnMark = button(376, 20, QStyle::SP_DialogApplyButton, "sbtnMark");
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
    // The text of the marks on the reading under the cursor, whole.
    MarkPanel = blackPanel(DisplayPanel, "MarkPanel", kMarkColour, 14, Qt::AlignLeft | Qt::AlignVCenter);
    MarkPanel->setMinimumWidth(60);
    row->addWidget(MarkPanel, 1);
    row->addWidget(colouredCaption(DisplayPanel, LoadStr(id::Max), kRed));
    row->addWidget(trio(DisplayPanel, "Panel3", kRed, MaxDataPanel, MaxUnitPanel, MaxFuncPanel, "MaxDataPanel",
                        "MaxUnitPanel", "MaxFuncPanel"),
                   1);
    row->addWidget(colouredCaption(DisplayPanel, LoadStr(id::Min), kFuchsia));
    row->addWidget(trio(DisplayPanel, "Panel4", kFuchsia, MinDataPanel, MinUnitPanel, MinFuncPanel, "MinDataPanel",
                        "MinUnitPanel", "MinFuncPanel"),
                   1);
    column->addWidget(DisplayPanel);

    PEGraph = new orvel::PEGraph(client);
    PEGraph->setObjectName(QStringLiteral("PEGraph"));
    column->addWidget(PEGraph, 1);

    ProgressBar = new PageProgressBar(client);
    ProgressBar->setFixedHeight(12);
    ProgressBar->setTextVisible(false);
    column->addWidget(ProgressBar);

    const int widths[5] = {110, 175, 175, 175, 50};
    for (int i = 0; i < 5; ++i) {
        StatusPanels[i] = new QLabel(this);
        StatusPanels[i]->setMinimumWidth(widths[i]);
        StatusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // A panel of fixed size changes its text without laying the status bar
        // out again (which repaints it whole); showStatusText widens it when a
        // text needs more room. The clock's panel takes the rest of the bar.
        if (i < 4)
            StatusPanels[i]->setFixedSize(widths[i], StatusPanels[i]->sizeHint().height());
        statusBar()->addWidget(StatusPanels[i], i == 4 ? 1 : 0);
    }
    StatusPanels[3]->setAlignment(Qt::AlignCenter);

    connect(sbtnRecordStart, &QToolButton::clicked, this, &TGraphicalForm::sbtnRecordStartClick);
    connect(sbtnRecordStop, &QToolButton::clicked, this, &TGraphicalForm::sbtnRecordStopClick);
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
    mnuMark = acquisition->addAction(LoadStr(id::Mark));
    mnuMark->setShortcut(Qt::Key_M);
    mnuMarkText = acquisition->addAction(LoadStr(id::MarkText));
    mnuMarkText->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_M));
    mnuEditMark = acquisition->addAction(LoadStr(id::EditMark));
    mnuRemoveMark = acquisition->addAction(LoadStr(id::RemoveMark));
    acquisition->addSeparator();
    mnuInterval = acquisition->addAction(LoadStr(id::Interval));
    mnuConditions = acquisition->addAction(LoadStr(id::Conditions));
    mnuConditions->setToolTip(LoadStr(id::HintConditions));

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

    // Start and Stop put their button down first; the other items share their button's action.
    connect(mnuStart, &QAction::triggered, this, [this] {
        sbtnRecordStart->setChecked(true);
        sbtnRecordStartClick();
    });
    connect(mnuStop, &QAction::triggered, this, [this] {
        sbtnRecordStop->setChecked(true);
        sbtnRecordStopClick();
    });
    sbtnRecordStart->setToolTip(LoadStr(id::HintStart));
    sbtnRecordStop->setToolTip(LoadStr(id::HintStop));
    const struct
    {
        QToolButton *button;
        QAction *action;
        int hint;
        void (TGraphicalForm::*command)();
    } shared[] = {
        {sbtnManualLogging, mnuManual, id::HintManual, &TGraphicalForm::sbtnManualLoggingClick},
        {sbtnOption, mnuInterval, id::HintOption, &TGraphicalForm::sbtnOptionClick},
        {sbtnOpenFile, mnuOpen, id::HintOpen, &TGraphicalForm::sbtnOpenFileClick},
        {sbtnSaveFile, mnuSaveAs, id::HintSave, &TGraphicalForm::sbtnSaveFileClick},
        {sbtnPrintGraphic, mnuPrint, id::HintPrint, &TGraphicalForm::sbtnPrintGraphicClick},
        {sbtnClear, mnuClear, id::HintClear, &TGraphicalForm::sbtnClearClick},
        {sbtnImport, mnuImport, id::HintImport, &TGraphicalForm::sbtnImportClick},
        {sbtnExport, mnuExport, id::HintExport, &TGraphicalForm::sbtnExportClick},
        {sbtnFirstPage, mnuFirstPage, id::HintFirst, &TGraphicalForm::sbtnFirstPageClick},
        {sbtnPageUp, mnuPageUp, id::HintPageUp, &TGraphicalForm::sbtnPageUpClick},
        {sbtnPageDown, mnuPageDown, id::HintPageDown, &TGraphicalForm::sbtnPageDownClick},
        {sbtnLastPage, mnuLastPage, id::HintLast, &TGraphicalForm::sbtnLastPageClick},
        {sbtnUndoZoom, mnuUndoZoom, id::HintUndoZoom, &TGraphicalForm::sbtnUndoZoomClick},
        {sbtnFitView, mnuFitView, id::HintFitView, &TGraphicalForm::sbtnFitViewClick},
    };
    for (const auto &s : shared) {
        s.action->setIcon(s.button->icon());
        s.action->setIconVisibleInMenu(false);
        s.action->setToolTip(LoadStr(s.hint));
        s.button->setDefaultAction(s.action);
        connect(s.action, &QAction::triggered, this, s.command);
    }
    // The Mark button asks for a text first when Shift is held, as Shift+M does.
    sbtnMark->setToolTip(LoadStr(id::HintMark));
    connect(sbtnMark, &QToolButton::clicked, this, &TGraphicalForm::sbtnMarkClick);
    connect(mnuMark, &QAction::triggered, this, [this] { placeMark(false); });
    connect(mnuMarkText, &QAction::triggered, this, [this] { placeMark(true); });
    connect(mnuEditMark, &QAction::triggered, this, &TGraphicalForm::mnuEditMarkClick);
    connect(mnuRemoveMark, &QAction::triggered, this, &TGraphicalForm::mnuRemoveMarkClick);
    connect(mnuPrinterSetup, &QAction::triggered, this, &TGraphicalForm::mnuPrinterSetupClick);
    connect(mnuConditions, &QAction::triggered, this, &TGraphicalForm::mnuConditionsClick);
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuLineColor, &QAction::triggered, this, &TGraphicalForm::mnuLineColorClick);
    connect(mnuStatistics, &QAction::triggered, this, [this] { Statistics->open(); });
}

} // namespace orvel
