#include "export/Viewgraphunit.h"

#include "chart/ChartSetup.h"
#include "chart/PEGraph.h"
#include "export/ChartContent.h"
#include "export/Dlgfitexportunit.h"
#include "meter/PanelText.h"
#include "platform/SystemMetrics.h"
#include "platform/WindowPlacement.h"
#include "recorder/Recording.h"
#include "recorder/StatisticsWindow.h"
#include "recorder/Tarecord.h"
#include "resources/Strings.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orvel {

TFormViewGraphic *FormViewGraphic = nullptr;

namespace {
constexpr int kCaption = 105; // "Graphical viewer"
constexpr int kHintPrint = 1044, kHintUndoZoom = 1053, kHintExport = 1054, kClose = 7004;
constexpr int kPF = 2008, kMax = 2009, kMin = 2010, kStatistics = 2090;
constexpr int kClosedPoints = 100;     // the chart keeps this many points while the viewer is closed
constexpr double kClosedRange = 100.0; // and the Y range ±this

// A panel of the Max. or Min. group, sunken on its own: at least `width` wide, or exactly when `fixedWidth`.
QLabel *groupPanel(QWidget *parent, const char *name, const QColor &colour, int width, bool fixedWidth,
                   Qt::Alignment align, const QString &face)
{
    QLabel *p = blackPanel(parent, name, colour, 16, align, face, PanelEdge::Sunken);
    if (fixedWidth)
        p->setFixedWidth(width);
    else
        p->setMinimumWidth(width);
    return p;
}

// The busy cursor for as long as it lives.
struct BusyCursor
{
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
} // namespace

TFormViewGraphic::TFormViewGraphic(const WindowContext &context, QWidget *parent)
    : QDialog(parent, kFixedDialogFlags)
    , Context(context)
{
    setWindowTitle(LoadStr(kCaption));
    BuildControls();
    sbtnUndoZoom->setEnabled(false);
    setUpViewerChart(*PEGraphView, palette().color(QPalette::Button));
}

void TFormViewGraphic::BuildControls()
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    DisplayPanel = new QFrame(this);
    DisplayPanel->setObjectName(QStringLiteral("DisplayPanel"));
    DisplayPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *row = new QHBoxLayout(DisplayPanel);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(2);
    auto button = [this](QStyle::StandardPixmap pixmap, const char *name, int hint) {
        auto *b = new QToolButton(DisplayPanel);
        b->setObjectName(QLatin1String(name));
        b->setIcon(style()->standardIcon(pixmap));
        b->setIconSize(QSize(16, 16));
        b->setAutoRaise(true);
        b->setToolTip(LoadStr(hint));
        return b;
    };
    sbtnPrint = button(QStyle::SP_FileDialogContentsView, "sbtnPrint", kHintPrint);
    sbtnUndoZoom = button(QStyle::SP_ArrowBack, "sbtnUndoZoom", kHintUndoZoom);
    sbtnExport = button(QStyle::SP_ArrowRight, "sbtnExport", kHintExport);
    row->addWidget(sbtnPrint);
    row->addWidget(sbtnUndoZoom);
    row->addWidget(sbtnExport);
    sbtnStatistics = button(QStyle::SP_FileDialogInfoView, "sbtnStatistics", kStatistics);
    row->addWidget(sbtnStatistics);
    Statistics = new StatisticsWindow(Context, this, [this] { return readingsInView(); });
    connect(sbtnStatistics, &QToolButton::clicked, Statistics, &StatisticsWindow::open);
    row->addSpacing(6);

    const QString timeFace = QStringLiteral("Arial");
    const QString dataFace = QStringLiteral("Times New Roman");
    auto group = [&](int text, const QColor &colour, QLabel *&time, QLabel *&dataPanel, QLabel *&unit, QLabel *&func,
                     QLabel *&pf, const char *names[5]) {
        row->addWidget(colouredCaption(DisplayPanel, LoadStr(text), colour));
        // The widths fit both groups beside the buttons on a screen 800 pixels wide.
        time = groupPanel(DisplayPanel, names[0], colour, 86, false, Qt::AlignCenter, timeFace);
        dataPanel = groupPanel(DisplayPanel, names[1], colour, 56, false, Qt::AlignRight | Qt::AlignVCenter, dataFace);
        unit = groupPanel(DisplayPanel, names[2], colour, 16, true, Qt::AlignCenter, dataFace);
        func = groupPanel(DisplayPanel, names[3], colour, 28, true, Qt::AlignCenter, dataFace);
        pf = groupPanel(DisplayPanel, names[4], colour, 40, true, Qt::AlignCenter, timeFace);
        dataPanel->setCursor(Qt::PointingHandCursor);
        dataPanel->installEventFilter(this);
        row->addWidget(time);
        row->addWidget(dataPanel, 1);
        row->addWidget(unit);
        row->addWidget(func);
        row->addWidget(colouredCaption(DisplayPanel, LoadStr(kPF), QColor()));
        row->addWidget(pf);
        row->addSpacing(6);
    };
    const char *maxNames[5] = {"MaxTimePanel", "MaxDataPanel", "MaxUnitPanel", "MaxFuncPanel", "MaxPFPanel"};
    const char *minNames[5] = {"MinTimePanel", "MinDataPanel", "MinUnitPanel", "MinFuncPanel", "MinPFPanel"};
    group(kMax, kRed, MaxTimePanel, MaxDataPanel, MaxUnitPanel, MaxFuncPanel, MaxPFPanel, maxNames);
    group(kMin, kFuchsia, MinTimePanel, MinDataPanel, MinUnitPanel, MinFuncPanel, MinPFPanel, minNames);

    bbtnClose = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), LoadStr(kClose), DisplayPanel);
    bbtnClose->setObjectName(QStringLiteral("bbtnClose"));
    bbtnClose->setAutoDefault(false);
    row->addWidget(bbtnClose);
    column->addWidget(DisplayPanel);

    PEGraphView = new orvel::PEGraph(this);
    PEGraphView->setObjectName(QStringLiteral("PEGraphView"));
    column->addWidget(PEGraphView, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    column->addWidget(StatusBar1);

    connect(sbtnPrint, &QToolButton::clicked, this, &TFormViewGraphic::sbtnPrintClick);
    connect(sbtnUndoZoom, &QToolButton::clicked, this, &TFormViewGraphic::sbtnUndoZoomClick);
    connect(sbtnExport, &QToolButton::clicked, this, &TFormViewGraphic::sbtnExportClick);
    connect(bbtnClose, &QPushButton::clicked, this, &TFormViewGraphic::bbtnCloseClick);
    connect(PEGraphView, &PEGraph::OnZoomIn, this, &TFormViewGraphic::PEGraphViewZoomIn);
}

// ---- opening and closing -----------------------------------------------------------

void TFormViewGraphic::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormViewGraphic::FormShow()
{
    const BusyCursor busy;
    setOuterGeometry(this, QRect(QPoint(0, 0), primaryScreenSize()));
    setFixedSize(size());
    PEGraphView->setFocus();
    fTop = Context.recording.state().Scale.fScaleMax;
    fBottom = Context.recording.state().Scale.fScaleMin;
    loadChart();
    showExtremes();
    Statistics->refresh();
}

void TFormViewGraphic::loadChart()
{
    const ReadingBuffer &buffer = Context.recording.buffer();
    const qsizetype n = buffer.count();
    iReadingCount = n;
    const Extremes &extreme = Context.recording.state().Extreme;
    bReduced = viewIsReduced(n);
    if (bReduced) {
        reduceReadings(std::span<const TARecord>(buffer.begin(), buffer.end()), extreme.iMaxIndex, extreme.iMinIndex,
                       Reduction);
        iPointCount = int(Reduction.indexes.size());
    } else {
        Reduction = ViewReduction{};
        iPointCount = int(n);
    }

    PEGraph &g = *PEGraphView;
    g.SetSubsets(1);
    g.SetManualMaxY(fTop);
    g.SetManualMinY(fBottom);
    // The points and the marks as orvel-cli plot draws them too.
    setViewerPoints(
        g.GethObject().data(), iPointCount,
        [&](int i) -> const TARecord & { return buffer.at(bReduced ? Reduction.indexes[std::size_t(i)] : i); },
        Context.recording.marks(), n, Reduction.indexes);
    g.SetPrepareImages(true);
    redrawChart();
    g.SetCursorPoint(0);
    g.SetPEactions(gUndoZoom);
    sbtnUndoZoom->setEnabled(false);
}

void TFormViewGraphic::showExtremes()
{
    const ReadingBuffer &buffer = Context.recording.buffer();
    const Extremes &extreme = Context.recording.state().Extreme;
    auto show = [&buffer](qsizetype index, QLabel *time, QLabel *dataPanel, QLabel *unit, QLabel *func, QLabel *pf) {
        // Nothing stored: the panels stay empty rather than read a record that is not there.
        if (index < 0 || index >= buffer.count()) {
            for (QLabel *p : {time, dataPanel, unit, func, pf})
                p->clear();
            return;
        }
        const TARecord &r = buffer.at(index);
        // The panels keep their own faces: the labels show as stored.
        time->setText(fieldText(r.szTime));
        dataPanel->setText(fieldText(r.szDisplay));
        unit->setText(fieldText(r.szPrefix));
        func->setText(fieldText(r.szUnit));
        pf->setText(fieldText(r.szAux));
    };
    show(extreme.iMaxIndex, MaxTimePanel, MaxDataPanel, MaxUnitPanel, MaxFuncPanel, MaxPFPanel);
    show(extreme.iMinIndex, MinTimePanel, MinDataPanel, MinUnitPanel, MinFuncPanel, MinPFPanel);
}

void TFormViewGraphic::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TFormViewGraphic::FormClose()
{
    Statistics->hide();
    Reduction = ViewReduction{}; // the index list goes, memory and all
    bReduced = false;
    iReadingCount = 0;
    const ReadingBuffer &buffer = Context.recording.buffer();
    PEGraph &g = *PEGraphView;
    setPointCount(g, kClosedPoints);
    g.SetManualMaxY(kClosedRange);
    g.SetManualMinY(-kClosedRange);
    for (int i = 0; i < kClosedPoints; ++i) {
        // Points beyond the readings stay empty.
        if (i < buffer.count())
            setChartPoint(g, i, buffer.at(i).fReading, fieldText(buffer.at(i).szTime));
        else
            setEmptyPoint(g, i);
    }
    g.SetPrepareImages(true);
    redrawChart();
    iPointCount = kClosedPoints;
}

void TFormViewGraphic::redrawChart()
{
    redraw(*PEGraphView);
}

// ---- commands ------------------------------------------------------------------------

bool TFormViewGraphic::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == MaxDataPanel)
            MaxDataPanelClick();
        else if (watched == MinDataPanel)
            MinDataPanelClick();
    }
    return QDialog::eventFilter(watched, event);
}

void TFormViewGraphic::MaxDataPanelClick()
{
    const qsizetype index = Context.recording.state().Extreme.iMaxIndex;
    PEGraphView->SetCursorPoint(bReduced ? Reduction.maxPosition : int(index));
}

void TFormViewGraphic::MinDataPanelClick()
{
    const qsizetype index = Context.recording.state().Extreme.iMinIndex;
    PEGraphView->SetCursorPoint(bReduced ? Reduction.minPosition : int(index));
}

void TFormViewGraphic::PEGraphViewZoomIn()
{
    sbtnUndoZoom->setEnabled(true);
    Statistics->refresh();
}

void TFormViewGraphic::sbtnUndoZoomClick()
{
    PEGraphView->SetPEactions(gUndoZoom);
    sbtnUndoZoom->setEnabled(false);
    Statistics->refresh();
}

std::pair<qsizetype, qsizetype> TFormViewGraphic::readingsInView() const
{
    // The readings the chart was made from: those stored since are not in it.
    const qsizetype n = iReadingCount;
    const ChartModel &chart = PEGraphView->model();
    if (!chart.isZoomed() || n == 0 || !chart.hasPointsShown())
        return {0, n};
    return viewReadings(n, Reduction.indexes, chart.firstShown(), chart.lastShown());
}

void TFormViewGraphic::sbtnPrintClick()
{
    PEGraphView->printMonochrome(gPrintDialog);
}

void TFormViewGraphic::sbtnExportClick()
{
    if (DlgFitExportForm)
        DlgFitExportForm->ViewerExport(*PEGraphView);
}

void TFormViewGraphic::bbtnCloseClick()
{
    accept();
}

} // namespace orvel
