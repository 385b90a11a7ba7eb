#include "chart/ChartPainter.h"

#include <QFontMetricsF>
#include <QHash>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <vector>

namespace orvel {

namespace {

// A line wider than a pixel on a bitmap is stroked as one outline, and the
// raster engine fills an outline that overlaps itself over and over (the
// viewer's reduced chart of a noisy recording zigzags from each block's
// largest to its smallest reading) in time that grows far faster than its
// length: tens of seconds for a few thousand points. Whether `piece` is such
// a line: on a bitmap, wider than a pixel, crossing the graph's height more
// than kSlowCrossings times.
constexpr double kSlowCrossings = 16.0;

bool strokesSlowly(const QPainter &painter, const QPen &pen, const std::vector<QPointF> &piece, double plotHeight)
{
    if (pen.widthF() <= 1.0 || !painter.paintEngine() || painter.paintEngine()->type() != QPaintEngine::Raster)
        return false;
    double travel = 0.0;
    for (std::size_t i = 1; i < piece.size(); ++i)
        travel += std::abs(piece[i].y() - piece[i - 1].y());
    return travel > kSlowCrossings * plotHeight;
}

// Such a line as segments, each stroked on its own (square ends stand in for
// the joins): the same line to the eye, drawn in time proportional to its length.
void drawSegments(QPainter &painter, const QPen &pen, const std::vector<QPointF> &piece)
{
    std::vector<QLineF> segments;
    segments.reserve(piece.size());
    for (std::size_t i = 1; i < piece.size(); ++i)
        segments.emplace_back(piece[i - 1], piece[i]);
    QPen squared = pen;
    squared.setCapStyle(Qt::SquareCap);
    painter.setPen(squared);
    painter.drawLines(segments.data(), static_cast<int>(segments.size()));
    painter.setPen(pen);
}

double lightness(const QColor &c)
{
    return 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue();
}

QColor contrastOf(const QColor &background)
{
    return lightness(background) >= 128.0 ? QColor(Qt::black) : QColor(Qt::white);
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

double distance(const QColor &a, const QColor &b)
{
    const double dr = a.red() - b.red();
    const double dg = a.green() - b.green();
    const double db = a.blue() - b.blue();
    return std::sqrt(dr * dr + dg * dg + db * db);
}

/// `color`, or a shade of it far enough from `background` to be seen on it (a grid in the
/// button-face colour on a white graph, a line in the graph's own colour).
QColor visibleOn(const QColor &color, const QColor &background)
{
    constexpr double kMinDistance = 100.0;
    const QColor towards = contrastOf(background);
    for (double t = 0.0; t < 1.0; t += 0.125) {
        const QColor c = mix(color, towards, t);
        if (distance(c, background) >= kMinDistance)
            return c;
    }
    return towards;
}

QColor opaque(QColor c)
{
    c.setAlpha(255);
    return c;
}

struct ChartFonts
{
    QFont title;
    QFont subTitle;
    QFont axisTitle;
    QFont tick;
};

ChartFonts chartFonts(const ChartStyle &style)
{
    QFont base;
    if (!style.fontFamily.isEmpty())
        base.setFamily(style.fontFamily);
    // Grey-scale smoothing only: coloured fringes would put colour into monochrome output.
    base.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    ChartFonts fonts{base, base, base, base};
    fonts.title.setPointSizeF(12.0);
    fonts.title.setBold(true);
    fonts.subTitle.setPointSizeF(10.0);
    fonts.axisTitle.setPointSizeF(9.0);
    fonts.axisTitle.setBold(true);
    fonts.tick.setPointSizeF(8.0);
    return fonts;
}

/// Puts a one-pixel line on the middle of a pixel so that it is drawn crisp on the screen.
double snap(double v, double unit)
{
    return unit < 1.5 ? std::floor(v) + 0.5 : v;
}

double markDiameter(PointSize size)
{
    switch (size) {
    case gMicroPoints: return 2.0;
    case gSmallPoints: return 3.0;
    case gMediumPoints: return 4.5;
    case gLargePoints: return 6.0;
    }
    return 4.5;
}

QPen gridPen(GridStyle style, const QColor &color, double unit)
{
    QPen pen(color, unit);
    pen.setCapStyle(Qt::FlatCap);
    switch (style) {
    case gThin: break;
    case gThick: pen.setWidthF(2.0 * unit); break;
    case gDot: pen.setStyle(Qt::DotLine); break;
    case gDash: pen.setStyle(Qt::DashLine); break;
    }
    return pen;
}

/// Widths of label texts in one font on one device, remembered: a chart that
/// takes a reading at a time lays the same labels out again and again.
class TextWidths
{
public:
    TextWidths(const QFont &font, const QPaintDevice *device)
        : metrics_(font, device)
    {
        thread_local Cache cache;
        const QSize dpi = device ? QSize(device->logicalDpiX(), device->logicalDpiY()) : QSize();
        if (cache.font != font || cache.dpi != dpi || cache.widths.size() > kMaxTexts) {
            cache.font = font;
            cache.dpi = dpi;
            cache.widths.clear();
        }
        widths_ = &cache.widths;
    }
    const QFontMetricsF &metrics() const { return metrics_; }
    double of(const QString &text) const
    {
        if (const auto known = widths_->constFind(text); known != widths_->cend())
            return *known;
        const double w = metrics_.horizontalAdvance(text);
        widths_->insert(text, w);
        return w;
    }

private:
    static constexpr qsizetype kMaxTexts = 4096;
    struct Cache
    {
        QFont font;
        QSize dpi{-1, -1};
        QHash<QString, double> widths;
    };
    QFontMetricsF metrics_;
    QHash<QString, double> *widths_ = nullptr;
};

} // namespace

ChartColors chartColors(const ChartStyle &style)
{
    ChartColors c;
    if (style.viewingStyle == gMonochrome) {
        c.desk = Qt::white;
        c.back = Qt::white;
        c.grid = QColor(128, 128, 128);
        c.frame = Qt::black;
        c.text = Qt::black;
        c.line = Qt::black;
        c.cursor = Qt::black;
        c.mark = Qt::black;
        return c;
    }
    c.desk = opaque(style.deskColor);
    c.back = opaque(style.graphBackColor);
    c.grid = visibleOn(opaque(style.graphForeColor), c.back);
    c.frame = c.grid;
    c.text = contrastOf(c.desk);
    c.line = visibleOn(opaque(style.subsetColor), c.back);
    c.cursor = contrastOf(c.back);
    c.mark = visibleOn(QColor(0xFF, 0x8C, 0x00), c.back); // orange, apart from the line, grid and cursor
    return c;
}

QPen linePen(int lineType, const QColor &color, double unit)
{
    double width = 1.0;
    Qt::PenStyle style = Qt::SolidLine;
    switch (lineType) {
    case gDashLine: style = Qt::DashLine; break;
    case gDotLine: style = Qt::DotLine; break;
    case gDashDotLine: style = Qt::DashDotLine; break;
    case gDashDotDotLine: style = Qt::DashDotDotLine; break;
    case gMediumSolid: width = 2.0; break;
    case gThickSolid: width = 3.0; break;
    case gMediumDashLine:
        width = 2.0;
        style = Qt::DashLine;
        break;
    case gMediumDotLine:
        width = 2.0;
        style = Qt::DotLine;
        break;
    case gMediumThinSolid: width = 1.5; break;
    default: break;
    }
    QPen pen(color, width * unit, style, Qt::RoundCap, Qt::RoundJoin);
    return pen;
}

ChartLayout layoutChart(const QRectF &target, const ChartModel &model, const ChartStyle &style,
                        const QPaintDevice *device)
{
    ChartLayout layout;
    layout.target = target;
    const double dpi = device ? device->logicalDpiY() : 96.0;
    const double u = std::max(dpi / 96.0, 0.1);
    layout.unit = u;

    const ChartData &data = model.data();
    const ChartFonts fonts = chartFonts(style);
    const QFontMetricsF fmTitle(fonts.title, device);
    const QFontMetricsF fmSub(fonts.subTitle, device);
    const QFontMetricsF fmAxis(fonts.axisTitle, device);
    const TextWidths tickWidths(fonts.tick, device);
    const QFontMetricsF &fmTick = tickWidths.metrics();

    const double pad = 6.0 * u;
    const double inner = target.width() - 2.0 * pad;

    // Titles from the top, the X-axis title and the point labels from the bottom.
    double top = target.top() + pad;
    if (!data.mainTitle.isEmpty()) {
        layout.mainTitle = QRectF(target.left() + pad, top, inner, fmTitle.height());
        top += fmTitle.height() + 2.0 * u;
    }
    if (!data.subTitle.isEmpty()) {
        layout.subTitle = QRectF(target.left() + pad, top, inner, fmSub.height());
        top += fmSub.height() + 2.0 * u;
    }
    const double plotTop = top + fmTick.height() / 2.0 + 2.0 * u;

    double bottom = target.bottom() - pad;
    if (!data.xAxisLabel.isEmpty()) {
        layout.xAxisTitle = QRectF(target.left() + pad, bottom - fmAxis.height(), inner, fmAxis.height());
        bottom -= fmAxis.height() + 3.0 * u;
    }
    const double xLabelTop = bottom - fmTick.height();
    // The lowest Y label reaches half its height below the graph: the point labels start below it.
    const double plotBottom = xLabelTop - fmTick.height() / 2.0 - 2.0 * u;
    const double plotHeight = plotBottom - plotTop;

    // Y ticks as dense as their labels allow without touching.
    const int decimals = std::clamp(data.decimals, 0, 9);
    const ValueRange yRange = model.yRange();
    const double tickHeight = fmTick.height();
    layout.tickHeight = tickHeight;
    const int maxTicks = plotHeight > 0 ? std::max(2, static_cast<int>(plotHeight / (tickHeight * 2.2)) + 1) : 2;
    layout.ticks = niceTicks(yRange, maxTicks, decimals);
    QStringList tickTexts;
    double yLabelWidth = tickWidths.of(data.maxDataString);
    for (int k = 0; k < layout.ticks.count; ++k) {
        tickTexts << formatValue(layout.ticks.at(k), decimals, layout.ticks.step);
        yLabelWidth = std::max(yLabelWidth, tickWidths.of(tickTexts.back()));
    }

    double left = target.left() + pad;
    if (!data.yAxisLabel.isEmpty()) {
        layout.yAxisTitle = QRectF(left, plotTop, fmAxis.height(), std::max(plotHeight, 0.0));
        left += fmAxis.height() + 4.0 * u;
    }
    const double yLabelRight = left + yLabelWidth;
    left = yLabelRight + 4.0 * u;
    const double halfPointLabel = tickWidths.of(data.maxPointLabel.trimmed()) / 2.0;
    double plotLeft = std::max(left, target.left() + pad + halfPointLabel);
    double plotRight = target.right() - pad - std::max(halfPointLabel, 2.0 * u);
    double plotTopEdge = plotTop;
    double plotBottomEdge = plotBottom;
    if (u < 1.5) { // whole pixels on the screen, for crisp frames
        plotLeft = std::round(plotLeft);
        plotRight = std::round(plotRight);
        plotTopEdge = std::round(plotTopEdge);
        plotBottomEdge = std::round(plotBottomEdge);
    }
    layout.plot = QRectF(QPointF(plotLeft, plotTopEdge), QPointF(plotRight, plotBottomEdge));
    if (layout.plot.width() < 8.0 * u || layout.plot.height() < 8.0 * u)
        return layout; // too small for a graph: only the desk is painted
    layout.hasPlot = true;

    layout.y = ValueAxis(yRange, layout.plot.top(), layout.plot.height());
    for (int k = 0; k < layout.ticks.count; ++k) {
        const double y = layout.y.toPixel(layout.ticks.at(k));
        const double w = tickWidths.of(tickTexts[k]);
        layout.yLabels.push_back({QRectF(yLabelRight - w, y - tickHeight / 2.0, w, tickHeight), tickTexts[k]});
    }

    if (!model.hasPointsShown())
        return layout;
    const int first = model.firstShown();
    const int last = model.lastShown();
    layout.x = IndexAxis(first, last, layout.plot.left(), layout.plot.width());

    // X labels at every stride-th point; the stride grows until the widest label of that set fits.
    const double gap = 8.0 * u;
    double labelWidth = std::max(tickWidths.of(data.maxPointLabel.trimmed()), fmTick.averageCharWidth());
    std::vector<LabelBox> boxes;
    QStringList texts;
    for (int attempt = 0; attempt < 8; ++attempt) {
        layout.labelStride = labelStride(layout.x.spacing(), labelWidth, gap);
        const int stride = layout.labelStride;
        boxes.clear();
        texts.clear();
        layout.gridPoints.clear();
        double widest = 0.0;
        const int start = static_cast<int>((static_cast<long long>(first) + stride - 1) / stride * stride);
        for (long long i = start; i <= last; i += stride) {
            const int index = static_cast<int>(i);
            layout.gridPoints.append(index);
            const QString text = data.label(index).trimmed();
            if (text.isEmpty())
                continue;
            const double w = tickWidths.of(text);
            widest = std::max(widest, w);
            const double x = layout.x.toPixel(index);
            boxes.push_back({static_cast<int>(texts.size()), x - w / 2.0, x + w / 2.0});
            texts << text;
        }
        if (widest <= labelWidth)
            break;
        labelWidth = widest;
    }
    // The final guard: a label that would touch its neighbour or leave the target is left out.
    const QList<int> kept = keepApartLabels(boxes, gap, target.left(), target.right());
    for (int k : kept) {
        const LabelBox &b = boxes[static_cast<std::size_t>(k)];
        layout.xLabels.push_back({QRectF(b.left, xLabelTop, b.right - b.left, tickHeight), texts[k]});
    }
    return layout;
}

void paintChart(QPainter &painter, const QRectF &target, const ChartModel &model, const ChartStyle &style)
{
    const ChartLayout layout = layoutChart(target, model, style, painter.device());
    paintChartBackground(painter, layout, model, style);
    paintChartData(painter, layout, model, style);
}

namespace {

/// Draws `text` in `rect` with `font`, cut to fit with an ellipsis.
void drawTitle(QPainter &painter, const QRectF &rect, const QFont &font, const QString &text)
{
    if (text.isEmpty() || rect.isNull())
        return;
    painter.setFont(font);
    const QFontMetricsF fm(font, painter.device());
    painter.drawText(rect, Qt::AlignHCenter | Qt::AlignTop, fm.elidedText(text, Qt::ElideRight, rect.width()));
}

/// The marks of the points shown: a thin line through each and its text at the
/// top of the graph, cut to the room before the next mark.
void paintMarks(QPainter &painter, const ChartLayout &layout, const ChartModel &model, const ChartColors &colors)
{
    const std::vector<ChartMark> &marks = model.data().marks;
    if (marks.empty() || !model.hasPointsShown())
        return;
    const double u = layout.unit;
    const QRectF plot = layout.plot;
    const QFontMetricsF fm(painter.font(), painter.device());
    const double top = plot.top() + 2.0 * u + fm.ascent();
    const double gap = 3.0 * u;
    QPen pen(colors.mark, u);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    std::vector<double> xs;
    for (const ChartMark &m : marks)
        if (m.point >= model.firstShown() && m.point <= model.lastShown())
            xs.push_back(snap(layout.x.toPixel(m.point), u));
    for (double x : xs)
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    std::size_t k = 0;
    for (const ChartMark &m : marks) {
        if (m.point < model.firstShown() || m.point > model.lastShown())
            continue;
        const double x = xs[k];
        const double right = ++k < xs.size() ? xs[k] - gap : plot.right() - gap;
        const double room = right - (x + gap);
        if (m.text.isEmpty() || room < 2.0 * fm.averageCharWidth())
            continue;
        painter.drawText(QPointF(x + gap, top), fm.elidedText(m.text.simplified(), Qt::ElideRight, room));
    }
}

/// How far the line and its marks reach beyond the graph, device units.
double lineReach(const ChartStyle &style, double unit)
{
    const double pen = linePen(style.lineType, Qt::black, unit).widthF();
    return std::max(pen, markDiameter(style.pointSize) * unit) / 2.0 + 2.0;
}

} // namespace

void paintChartBackground(QPainter &painter, const ChartLayout &layout, const ChartModel &model,
                          const ChartStyle &style)
{
    const ChartColors colors = chartColors(style);
    const ChartFonts fonts = chartFonts(style);
    const ChartData &data = model.data();
    const double u = layout.unit;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(layout.target, colors.desk);
    if (!layout.hasPlot) {
        painter.restore();
        return;
    }

    // Titles.
    painter.setPen(colors.text);
    drawTitle(painter, layout.mainTitle, fonts.title, data.mainTitle);
    drawTitle(painter, layout.subTitle, fonts.subTitle, data.subTitle);

    // The graph: background, grid, frame.
    const QRectF plot = layout.plot;
    painter.fillRect(plot, colors.back);
    painter.setPen(gridPen(style.gridStyle, colors.grid, u));
    if (style.gridLines == gYAxis || style.gridLines == gYPlusXAxis)
        for (const PlacedLabel &label : layout.yLabels) {
            const double y = snap(label.rect.center().y(), u);
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        }
    if ((style.gridLines == gXAxis || style.gridLines == gYPlusXAxis) && layout.labelStride > 0)
        for (int index : layout.gridPoints) {
            const double x = snap(layout.x.toPixel(index), u);
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        }
    QPen framePen(colors.frame, u);
    framePen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(framePen);
    painter.setBrush(Qt::NoBrush);
    const double half = u < 1.5 ? 0.5 : 0.0;
    painter.drawRect(plot.adjusted(half, half, -half, -half));

    // The Y labels and the axis titles (drawn apart from the main title, so that
    // programs that read a metafile's texts back do not take them for lines of
    // one paragraph).
    painter.setPen(colors.text);
    painter.setFont(fonts.tick);
    for (const PlacedLabel &label : layout.yLabels)
        painter.drawText(label.rect, Qt::AlignRight | Qt::AlignVCenter, label.text);
    drawTitle(painter, layout.xAxisTitle, fonts.axisTitle, data.xAxisLabel);
    if (!data.yAxisLabel.isEmpty() && !layout.yAxisTitle.isNull()) {
        const QRectF column = layout.yAxisTitle;
        painter.setFont(fonts.axisTitle);
        const QFontMetricsF fm(fonts.axisTitle, painter.device());
        painter.save();
        painter.translate(column.center());
        painter.rotate(-90.0);
        const QRectF rotated(-column.height() / 2.0, -column.width() / 2.0, column.height(), column.width());
        painter.drawText(rotated, Qt::AlignCenter, fm.elidedText(data.yAxisLabel, Qt::ElideRight, column.height()));
        painter.restore();
    }
    painter.restore();
}

void paintChartData(QPainter &painter, const ChartLayout &layout, const ChartModel &model, const ChartStyle &style)
{
    if (!layout.hasPlot)
        return;
    const ChartColors colors = chartColors(style);
    const ChartData &data = model.data();
    const double u = layout.unit;
    const QRectF plot = layout.plot;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(colors.text);
    const QFont tick = chartFonts(style).tick;
    painter.setFont(tick);
    // A label's box is its text's width and one line high: the text stands on
    // the box's base line (drawn as one run, which costs a fraction of a boxed
    // text, and the labels are drawn anew with every reading).
    const double ascent = QFontMetricsF(tick, painter.device()).ascent();
    for (const PlacedLabel &label : layout.xLabels)
        painter.drawText(QPointF(label.rect.left(), label.rect.top() + ascent), label.text);

    paintMarks(painter, layout, model, colors);

    // The line: one polyline per run of drawable points, cut where it leaves the graph.
    if (model.hasPointsShown()) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QPen pen = linePen(style.lineType, colors.line, u);
        const double mark = markDiameter(style.pointSize) * u;
        const bool drawLine = style.plottingMethod != gPoints;
        const bool drawMarks = style.plottingMethod != gLine;
        const std::span<const float> values(data.values.constData(), static_cast<std::size_t>(data.values.size()));
        std::vector<QPointF> points;
        auto drawMark = [&](const QPointF &p) {
            if (plot.contains(p))
                painter.drawEllipse(p, mark / 2.0, mark / 2.0);
        };
        for (const IndexRun &run : drawableRuns(values, model.firstShown(), model.lastShown(), data.nullValue)) {
            points.clear();
            for (int i = run.first; i <= run.last; ++i)
                points.emplace_back(layout.x.toPixel(i), layout.y.toPixel(values[static_cast<std::size_t>(i)]));
            if (drawLine && points.size() > 1) {
                painter.setPen(pen);
                painter.setBrush(Qt::NoBrush);
                for (const auto &piece : clipPolyline(points, plot)) {
                    if (strokesSlowly(painter, pen, piece, plot.height()))
                        drawSegments(painter, pen, piece);
                    else
                        painter.drawPolyline(piece.data(), static_cast<int>(piece.size()));
                }
            }
            // A reading alone between null points has no line to show it: it gets a mark.
            if (drawMarks || points.size() == 1) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(colors.line);
                for (const QPointF &p : points)
                    drawMark(p);
            }
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
    }

    // The cursor: a vertical line through the cursor point, when that point is shown.
    const int cursor = model.cursorPoint();
    if (style.showCursor && style.cursorMode == gVertLine && model.hasPointsShown() && cursor >= model.firstShown() &&
        cursor <= model.lastShown()) {
        const double x = snap(layout.x.toPixel(cursor), u);
        QPen pen(colors.cursor, u);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    painter.restore();
}

QRegion chartDataArea(const ChartLayout &layout, const ChartModel &model, const ChartStyle &style)
{
    if (!layout.hasPlot)
        return {};
    const double u = layout.unit;
    const double reach = lineReach(style, u);
    const QRectF plot = layout.plot;
    const QRectF reachable = plot.adjusted(-reach, -reach, reach, reach);
    QRegion area;
    // The X labels' band: the whole width (a label may stand beside the graph),
    // with room for glyphs that reach a little beyond their boxes.
    const double slack = 2.0 * u;
    if (!layout.xLabels.empty()) {
        const QRectF first = layout.xLabels.front().rect;
        area += QRectF(layout.target.left(), first.top() - slack, layout.target.width(), first.height() + 2.0 * slack)
                    .toAlignedRect();
    }
    if (!model.hasPointsShown())
        return area;
    const auto column = [&](int point) {
        const double x = snap(layout.x.toPixel(point), u);
        return QRectF(x - reach, reachable.top(), 2.0 * reach, reachable.height()).toAlignedRect();
    };

    // The line and its points: the box of the drawable points shown.
    const ChartData &data = model.data();
    const int last = std::min(model.lastShown(), static_cast<int>(data.values.size()) - 1);
    int left = -1;
    int right = -1;
    float low = 0.0f;
    float high = 0.0f;
    for (int i = std::max(model.firstShown(), 0); i <= last; ++i) {
        const float v = data.values[i];
        if (isNullPoint(v, data.nullValue))
            continue;
        if (left < 0) {
            left = i;
            low = high = v;
        }
        right = i;
        low = std::min(low, v);
        high = std::max(high, v);
    }
    if (left >= 0) {
        const double y1 = layout.y.toPixel(low);
        const double y2 = layout.y.toPixel(high);
        const QRectF box(QPointF(layout.x.toPixel(left), std::min(y1, y2)),
                         QPointF(layout.x.toPixel(right), std::max(y1, y2)));
        area += box.adjusted(-reach, -reach, reach, reach).intersected(reachable).toAlignedRect();
    }

    // The marks: a line through each, their texts along the top of the graph.
    bool markTexts = false;
    for (const ChartMark &m : data.marks) {
        if (m.point < model.firstShown() || m.point > model.lastShown())
            continue;
        area += column(m.point);
        markTexts = markTexts || !m.text.isEmpty();
    }
    if (markTexts)
        area +=
            QRectF(reachable.left(), reachable.top(), reachable.width(), reach + 2.0 * u + layout.tickHeight + slack)
                .toAlignedRect();

    // The cursor.
    const int cursor = model.cursorPoint();
    if (style.showCursor && style.cursorMode == gVertLine && cursor >= model.firstShown() &&
        cursor <= model.lastShown())
        area += column(cursor);
    return area;
}

ChartBackgroundKey chartBackgroundKey(const ChartLayout &layout, const ChartModel &model, const ChartStyle &style)
{
    const ChartData &data = model.data();
    ChartBackgroundKey key;
    key.target = layout.target;
    key.unit = layout.unit;
    key.plot = layout.plot;
    key.yLabels = layout.yLabels;
    if (style.gridLines == gXAxis || style.gridLines == gYPlusXAxis)
        key.gridPoints = layout.gridPoints;
    key.titles = {data.mainTitle, data.subTitle, data.xAxisLabel, data.yAxisLabel};
    key.style = style;
    key.style.showCursor = false; // the cursor is the data's
    key.style.subsetColor = {};   // so is the line
    key.style.lineType = 0;
    key.style.plottingMethod = gLine;
    key.style.pointSize = gMediumPoints;
    key.style.cursorMode = gNoCursor;
    return key;
}

} // namespace orvel
