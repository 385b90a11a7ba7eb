#include "chart/PEGraph.h"

#include "chart/ChartExport.h"
#include "chart/ChartPrint.h"
#include "platform/UserPrompt.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>

#include <cmath>
#include <cstring>

namespace orvel {

namespace {

/// A drag shorter than this (pixels) is a click; a zoom rectangle narrower than it zooms only
/// the other way.
constexpr double kMinZoomDrag = 4.0;

} // namespace

void PEGraphHandle::appendPoint(float value, const QString &label)
{
    data_.appendPoint(value, label);
}

PEGraph::PEGraph(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
    pendingStyle_.deskColor = palette().color(QPalette::Button);
    style_ = pendingStyle_;
}

PEGraph::~PEGraph() = default;

void PEGraph::SetPoints(int count)
{
    pending_.setPoints(count);
}

void PEGraph::SetMaxPointsToGraph(int count)
{
    pending_.maxPointsToGraph = std::clamp(count, 0, kMaxChartPoints);
}

void PEGraph::SetPointsToGraph(int count)
{
    pending_.pointsToGraph = std::clamp(count, 0, kMaxChartPoints);
}

void PEGraph::SetYData(int subset, int point, float value)
{
    if (subset == 0)
        pending_.setValue(point, value);
}

float PEGraph::YData(int subset, int point) const
{
    return subset == 0 ? pending_.value(point) : static_cast<float>(pending_.nullValue);
}

void PEGraph::SetSubsetColors(int subset, const QColor &color)
{
    if (subset == 0 && color.isValid())
        pendingStyle_.subsetColor = color;
}

QColor PEGraph::GetSubsetColors(int subset) const
{
    return subset == 0 ? pendingStyle_.subsetColor : QColor();
}

void PEGraph::SetSubsetLineTypes(int subset, int lineType)
{
    if (subset == 0)
        pendingStyle_.lineType = lineType;
}

void PEGraph::SetCursorPoint(int point)
{
    if (model_.setCursorPoint(point))
        invalidate();
}

ChartStyle PEGraph::outputStyle() const
{
    ChartStyle style = style_;
    style.showCursor = false;
    return style;
}

ChartLayout PEGraph::screenLayout() const
{
    return layoutChart(QRectF(rect()), model_, style_, this);
}

QSize PEGraph::sizeHint() const
{
    return {640, 400};
}

QSize PEGraph::minimumSizeHint() const
{
    return {160, 120};
}

QPrinter &PEGraph::printer()
{
    return programPrinter();
}

QPrinter &programPrinter()
{
    // One printer for the whole program, set up once and used by every chart.
    // Made on first use (a printer needs the application object) and kept to
    // the end of the process.
    static QPrinter *printer = [] {
        auto *p = new QPrinter(QPrinter::HighResolution);
        p->setPageOrientation(QPageLayout::Landscape); // the chart is wider than high
        return p;
    }();
    return *printer;
}

// ---- actions -------------------------------------------------------------------------------

bool PEGraph::SetPEactions(int action)
{
    lastError_ = PEError::None;
    switch (action) {
    case gReinitAndReset: reinitAndReset(); return true;
    case gResetImage: resetImage(); return true;
    case gUndoZoom: undoZoom(); return true;
    case gPrintDialog: return printDialog();
    case gPrintGraph: return printGraph();
    case gBmpToClip: return bmpToClip();
    case gBmpToFile: return bmpToFile();
    case gMetaToClip: return metaToClip();
    case gMetaToFile: return metaToFile();
    default: return fail(PEError::UnknownAction);
    }
}

bool PEGraph::printMonochrome(int action)
{
    SetViewingStyle(gMonochrome);
    SetPEactions(gResetImage);
    const bool printed = SetPEactions(action);
    const PEError error = lastError_;
    SetViewingStyle(gColor);
    SetPEactions(gResetImage);
    lastError_ = error;
    return printed;
}

bool PEGraph::fail(PEError error)
{
    lastError_ = error;
    return false;
}

ChartModel PEGraph::outputModel() const
{
    ChartModel model = model_;
    if (bOutputsUnzoomed)
        model.undoZoom();
    return model;
}

void PEGraph::beginPrintJob()
{
    printJob_ = std::make_unique<ChartPrintJob>(printer());
}

bool PEGraph::endPrintJob()
{
    if (!printJob_)
        return true;
    const bool done = printJob_->finish();
    printJob_.reset();
    return done;
}

void PEGraph::reinitAndReset()
{
    model_.setData(pending_);
    style_ = pendingStyle_;
    invalidate();
}

void PEGraph::resetImage()
{
    style_ = pendingStyle_;
    invalidate();
}

void PEGraph::undoZoom()
{
    if (!model_.isZoomed())
        return;
    model_.undoZoom();
    invalidate();
}

QSize PEGraph::bitmapSize() const
{
    if (iPEnarg1 <= 0 || iPEnarg2 <= 0)
        return size();
    return {iPEnarg1, iPEnarg2};
}

QSize PEGraph::metafileSize() const
{
    if (iPEnarg1 <= 0 || iPEnarg2 <= 0) // the screen size, at 96 dots per inch
        return {static_cast<int>(std::lround(width() * 2540.0 / 96.0)),
                static_cast<int>(std::lround(height() * 2540.0 / 96.0))};
    return {iPEnarg1, iPEnarg2};
}

bool PEGraph::bmpToFile()
{
    if (sPEstrarg1.isEmpty())
        return fail(PEError::NoFileName);
    if (!isValidBitmapSize(bitmapSize()))
        return fail(PEError::SizeOutOfRange);
    const QByteArray bytes = chartBmp(bitmapSize(), outputModel(), outputStyle());
    return writeFileWhole(sPEstrarg1, bytes) || fail(PEError::CannotWrite);
}

bool PEGraph::bmpToClip()
{
    const QImage image = chartImage(bitmapSize(), outputModel(), outputStyle());
    if (image.isNull())
        return fail(PEError::SizeOutOfRange);
    QGuiApplication::clipboard()->setImage(image);
    return true;
}

bool PEGraph::metaToFile()
{
    if (sPEstrarg1.isEmpty())
        return fail(PEError::NoFileName);
    const MetafileFormat format = metafileFormatFor(sPEstrarg1);
    if (format == MetafileFormat::Wmf)
        return fail(PEError::UnsupportedFormat);
    if (!isValidMetafileSize(metafileSize()))
        return fail(PEError::SizeOutOfRange);
    const QByteArray bytes = chartMetafile(format, metafileSize(), outputModel(), outputStyle());
    return writeFileWhole(sPEstrarg1, bytes) || fail(PEError::CannotWrite);
}

bool PEGraph::metaToClip()
{
    QMimeData *mime = chartMetafileMimeData(metafileSize(), outputModel(), outputStyle());
    if (!mime)
        return fail(PEError::SizeOutOfRange);
    QGuiApplication::clipboard()->setMimeData(mime); // the clipboard takes ownership
    return true;
}

bool PEGraph::printDialog()
{
    if (!prompt().printDialog(printer(), this))
        return fail(PEError::Cancelled);
    return printGraph();
}

bool PEGraph::printGraph()
{
    if (printJob_)
        return printJob_->addPage(outputModel(), outputStyle()) || fail(PEError::PrinterFailed);
    ChartPrintJob job(printer());
    const bool printed = job.addPage(outputModel(), outputStyle());
    return (job.finish() && printed) || fail(PEError::PrinterFailed);
}

// ---- screen --------------------------------------------------------------------------------

void PEGraph::invalidate()
{
    // Once the callers are done changing the chart, what changed is painted
    // and only those pixels go to the screen: for a new reading (the usual
    // case) the graph and its X labels over the kept background.
    cacheValid_ = false;
    if (bRefreshQueued)
        return;
    bRefreshQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            bRefreshQueued = false;
            if (cacheValid_ || !isVisible())
                return;
            const QRegion changed = repaintCache();
            if (!changed.isEmpty())
                update(changed);
        },
        Qt::QueuedConnection);
}

namespace {

/// Puts the pixels of `area` back from `from`, an image of the same size and format as `to`.
void copyPixels(QImage &to, const QImage &from, const QRect &area)
{
    const QRect r = area & to.rect();
    if (r.isEmpty())
        return;
    const int bytes = r.width() * to.depth() / 8;
    const int offset = r.left() * to.depth() / 8;
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::memcpy(to.scanLine(y) + offset, from.constScanLine(y) + offset, static_cast<std::size_t>(bytes));
}

} // namespace

QRegion PEGraph::repaintCache()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (cache_.size() != pixels) {
        // Opaque, as the windows' backing stores are: what changed goes to the
        // screen as a plain copy of its lines, with nothing to blend.
        cache_ = QImage(pixels, QImage::Format_RGB32);
        cache_.setDevicePixelRatio(ratio);
        // The same resolution as the widget, so that the layout painted is the one hit-tested.
        cache_.setDotsPerMeterX(static_cast<int>(std::lround(logicalDpiX() / 0.0254)));
        cache_.setDotsPerMeterY(static_cast<int>(std::lround(logicalDpiY() / 0.0254)));
        backgroundValid_ = false;
    }
    const ChartLayout layout = layoutChart(QRectF(rect()), model_, style_, &cache_);
    ChartBackgroundKey key = chartBackgroundKey(layout, model_, style_);
    const QRegion dataArea = chartDataArea(layout, model_, style_);
    QRegion changed;
    // (Only whole device pixels can be put back from the background.)
    if (!backgroundValid_ || key != backgroundKey_ || ratio != 1.0) {
        background_ = QImage(cache_.size(), cache_.format());
        background_.setDevicePixelRatio(ratio);
        background_.setDotsPerMeterX(cache_.dotsPerMeterX());
        background_.setDotsPerMeterY(cache_.dotsPerMeterY());
        QPainter back(&background_);
        paintChartBackground(back, layout, model_, style_);
        back.end();
        backgroundKey_ = std::move(key);
        backgroundValid_ = true;
        changed = QRegion(rect());
        copyPixels(cache_, background_, cache_.rect());
    } else {
        // Back to the background where the data was and will be, then the data.
        changed = dataArea_ | dataArea;
        for (const QRect &r : changed)
            copyPixels(cache_, background_, r);
    }
    QPainter painter(&cache_);
    paintChartData(painter, layout, model_, style_);
    dataArea_ = dataArea;
    cacheValid_ = true;
    return changed;
}

void PEGraph::paintEvent(QPaintEvent *event)
{
    if (!cacheValid_ || cache_.size() != (QSizeF(size()) * devicePixelRatioF()).toSize()) {
        // Painted before the queued refresh came: what changed beyond this
        // paint's region is asked for too.
        const QRegion beyond = repaintCache() - event->region();
        if (!beyond.isEmpty())
            update(beyond);
    }
    QPainter painter(this);
    // Rectangle by rectangle, each clipped to itself: an image drawn through
    // a clip of several rectangles is blended a span at a time (large ones
    // handed to worker threads), inside one rectangle its lines are copied.
    const qreal ratio = cache_.devicePixelRatio();
    for (const QRect &r : event->region()) {
        painter.setClipRect(r);
        painter.drawImage(r, cache_, QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio));
    }
    painter.setClipping(false);
    if (!selection_.isEmpty()) {
        const ChartColors colors = chartColors(style_);
        QPen pen(colors.cursor, 1.0, Qt::DashLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(selection_.adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

void PEGraph::resizeEvent(QResizeEvent *event)
{
    cacheValid_ = false;
    backgroundValid_ = false;
    QWidget::resizeEvent(event);
}

void PEGraph::cursorMovedByUser(bool moved)
{
    if (!moved)
        return;
    invalidate();
    emit OnCursorMoved();
}

void PEGraph::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressPos_ = event->position();
    pressed_ = true;
    selection_ = QRectF();
}

void PEGraph::mouseMoveEvent(QMouseEvent *event)
{
    if (!pressed_ || iAllowZooming == gNoZooming)
        return;
    const QPointF pos = event->position();
    if ((pos - pressPos_).manhattanLength() < kMinZoomDrag) {
        selection_ = QRectF();
        return;
    }
    const ChartLayout layout = screenLayout();
    selection_ = QRectF(pressPos_, pos).normalized().intersected(layout.plot);
    update();
}

void PEGraph::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !pressed_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    pressed_ = false;
    const QPointF pos = event->position();
    if (iAllowZooming != gNoZooming && (pos - pressPos_).manhattanLength() >= kMinZoomDrag) {
        const ChartLayout layout = screenLayout();
        selection_ = QRectF();
        zoomTo(QRectF(pressPos_, pos).normalized().intersected(layout.plot));
        update();
        return;
    }
    selection_ = QRectF();
    clickAt(pos);
}

void PEGraph::clickAt(QPointF position)
{
    if (!bMouseCursorControl || style_.cursorMode == gNoCursor || !model_.hasPointsShown())
        return;
    const ChartLayout layout = screenLayout();
    if (!layout.hasPlot)
        return;
    // Within the graph, or half a point's width beside it.
    const double margin = std::min(layout.x.spacing() / 2.0, 8.0);
    if (!layout.plot.adjusted(-margin, 0, margin, 0).contains(position))
        return;
    cursorMovedByUser(model_.setCursorPoint(layout.x.nearestIndex(position.x())));
}

void PEGraph::zoomTo(const QRectF &selection)
{
    const ChartLayout layout = screenLayout();
    if (!layout.hasPlot || selection.isEmpty())
        return;
    const auto window = model_.zoomForSelection(selection, layout.x, layout.y, iAllowZooming, kMinZoomDrag);
    if (window && model_.zoomIn(*window)) {
        invalidate();
        emit OnZoomIn();
    }
}

void PEGraph::keyPressEvent(QKeyEvent *event)
{
    emit OnKeyDown(event->key(), event->modifiers());
    const bool cursorKeys = bMouseCursorControl && style_.cursorMode != gNoCursor;
    switch (event->key()) {
    case Qt::Key_Left:
        if (cursorKeys)
            cursorMovedByUser(model_.moveCursor(-1));
        break;
    case Qt::Key_Right:
        if (cursorKeys)
            cursorMovedByUser(model_.moveCursor(1));
        break;
    case Qt::Key_Home:
        if (cursorKeys)
            cursorMovedByUser(model_.cursorToFirstShown());
        break;
    case Qt::Key_End:
        if (cursorKeys)
            cursorMovedByUser(model_.cursorToLastShown());
        break;
    default:
        // Other keys are reported by OnKeyDown and go on to the window (Escape closes a dialog).
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace orvel
