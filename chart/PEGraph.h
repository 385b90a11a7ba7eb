#pragma once
// PEGraph: the chart control of the recorder and the graph viewer. One line of
// readings against their time labels, with a vertical-line cursor, zoom by
// dragging a rectangle, print-outs and picture export.
//
// Callers set properties, then run an action through PEactions. Content and
// looks set through the properties are pending: the screen changes only at
// gReinitAndReset (everything) or gResetImage (looks). The cursor and the zoom
// act at once.

#include "chart/ChartModel.h"
#include "chart/ChartPainter.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include <memory>

class QPrinter;

namespace orvel {

/// Actions run by PEGraph::SetPEactions, with PEnarg1, PEnarg2 and PEstrarg1 set before.
enum PEAction {
    gReinitAndReset = 0, ///< take all pending properties and data, redraw
    gResetImage = 1,     ///< take pending looks (viewing style, colours), redraw
    gPrintDialog = 2,    ///< the print dialog, then print
    gPrintGraph = 3,     ///< print at once on the chart's printer
    gBmpToClip = 4,      ///< bitmap of PEnarg1 × PEnarg2 pixels to the clipboard
    gBmpToFile = 5,      ///< Windows bitmap of PEnarg1 × PEnarg2 pixels to the file PEstrarg1
    gMetaToClip = 6,     ///< vector picture of PEnarg1 × PEnarg2 hundredths of a mm to the clipboard
    gMetaToFile = 7,     ///< enhanced metafile to PEstrarg1 (SVG or PDF when the name ends so)
    gUndoZoom = 8,       ///< back to the unzoomed view
};

/// Why the last action failed.
enum class PEError {
    None,
    NoFileName,        ///< a file action without PEstrarg1
    SizeOutOfRange,    ///< PEnarg1 × PEnarg2 beyond what the chart renders
    CannotWrite,       ///< the file could not be created or written
    UnsupportedFormat, ///< a ".wmf" name: Windows Metafiles are not written
    PrinterFailed,     ///< the printer did not start or the print-out file was not completed
    Cancelled,         ///< the print dialog was cancelled
    UnknownAction,
};

class ChartPrintJob;
class PEGraph;

/// The program's one printer: every chart prints on it, and "Printer Set&up..."
/// sets it up for all of them.
QPrinter &programPrinter();

/// The chart's raw handle, through which the recorder appends readings.
class PEGraphHandle
{
public:
    /// One value and one label join at the right end; the other points move one place left
    /// and the first drops off. Shown at the next gReinitAndReset.
    void appendPoint(float value, const QString &label);
    /// The pending content itself, for filling many points at once. Shown at the next gReinitAndReset.
    ChartData &data() { return data_; }

private:
    friend class PEGraph;
    explicit PEGraphHandle(ChartData &data)
        : data_(data)
    {}
    ChartData &data_;
};

class PEGraph : public QWidget
{
    Q_OBJECT

public:
    explicit PEGraph(QWidget *parent = nullptr);
    ~PEGraph() override;

    // ---- data (pending until gReinitAndReset)
    /// Only one subset exists; other counts are kept but change nothing.
    void SetSubsets(int count) { iSubsets = count; }
    int Subsets() const { return iSubsets; }
    /// Number of points; callers set Points, MaxPointsToGraph and PointsToGraph to the same count.
    void SetPoints(int count);
    int Points() const { return pending_.points(); }
    void SetMaxPointsToGraph(int count);
    void SetPointsToGraph(int count);
    void SetPointsToGraphInit(PointsToGraphInit init) { pending_.pointsToGraphInit = init; }
    /// Y value of a point of subset 0; other subsets and indexes outside the points are ignored.
    void SetYData(int subset, int point, float value);
    float YData(int subset, int point) const;
    void SetPointLabels(int point, const QString &label) { pending_.setLabel(point, label); }
    QString PointLabels(int point) const { return pending_.label(point); }
    /// Points with this value are not drawn; the line breaks there.
    void SetNullDataValue(double value) { pending_.nullValue = value; }
    void SetManualScaleControlY(ScaleControl control) { pending_.scaleControl = control; }
    void SetManualMinY(double value) { pending_.manualMinY = value; }
    void SetManualMaxY(double value) { pending_.manualMaxY = value; }
    /// Templates of the widest Y label and point label: the chart keeps room for them.
    void SetManualMaxDataString(const QString &text) { pending_.maxDataString = text; }
    void SetManualMaxPointLabel(const QString &text) { pending_.maxPointLabel = text; }
    void SetDataPrecision(DataPrecision precision) { pending_.decimals = precision; }
    void SetMainTitle(const QString &text) { pending_.mainTitle = text; }
    void SetSubTitle(const QString &text) { pending_.subTitle = text; }
    void SetXAxisLabel(const QString &text) { pending_.xAxisLabel = text; }
    void SetYAxisLabel(const QString &text) { pending_.yAxisLabel = text; }
    /// The marks on the points, in the order of their points.
    void SetMarks(std::vector<ChartMark> marks) { pending_.marks = std::move(marks); }
    /// The raw handle for appending readings.
    PEGraphHandle &GethObject() { return handle_; }

    // ---- looks (pending until gReinitAndReset or gResetImage)
    void SetDeskColor(const QColor &color) { pendingStyle_.deskColor = color; }
    void SetGraphBackColor(const QColor &color) { pendingStyle_.graphBackColor = color; }
    void SetGraphForeColor(const QColor &color) { pendingStyle_.graphForeColor = color; }
    void SetSubsetColors(int subset, const QColor &color);
    /// Line colour of subset 0 as last set; an invalid colour for other subsets.
    QColor GetSubsetColors(int subset) const;
    void SetSubsetLineTypes(int subset, int lineType);
    void SetPlottingMethod(PlottingMethod method) { pendingStyle_.plottingMethod = method; }
    void SetPointSize(PointSize size) { pendingStyle_.pointSize = size; }
    void SetGridLineControl(GridLineControl grid) { pendingStyle_.gridLines = grid; }
    void SetGridStyle(GridStyle style) { pendingStyle_.gridStyle = style; }
    void SetViewingStyle(ViewingStyle style) { pendingStyle_.viewingStyle = style; }
    void SetCursorMode(CursorMode mode) { pendingStyle_.cursorMode = mode; }

    // ---- interaction (at once)
    /// Clicks and the arrow keys move the cursor.
    void SetMouseCursorControl(bool on) { bMouseCursorControl = on; }
    void SetCursorPromptStyle(CursorPromptStyle style) { iCursorPromptStyle = style; }
    void SetAllowZooming(Zooming zooming) { iAllowZooming = zooming; }
    /// Puts the cursor on a point (clamped to the points shown at the last gReinitAndReset)
    /// and redraws. Does not emit OnCursorMoved: that signal reports the user's moves.
    void SetCursorPoint(int point);
    int GetCursorPoint() const { return model_.cursorPoint(); }

    // ---- accepted for the callers' set-up; the chart always keeps its image, has no pop-up
    // menu, no stacking, no histogram and no data hot spots.
    void SetPrepareImages(bool on) { bPrepareImages = on; }
    void SetAllowPopup(bool on) { bAllowPopup = on; }
    void SetNoStackedData(bool on) { bNoStackedData = on; }
    void SetAllowHistogram(bool on) { bAllowHistogram = on; }
    void SetAllowDataHotSpots(bool on) { bAllowDataHotSpots = on; }

    // ---- actions
    void SetPEnarg1(int value) { iPEnarg1 = value; }
    void SetPEnarg2(int value) { iPEnarg2 = value; }
    void SetPEstrarg1(const QString &text) { sPEstrarg1 = text; }
    int PEnarg1() const { return iPEnarg1; }
    int PEnarg2() const { return iPEnarg2; }
    QString PEstrarg1() const { return sPEstrarg1; }
    /// Runs an action (PEAction). False when it failed: an unknown action, a file that could not
    /// be written, a size out of range, a cancelled print dialog, a printer that did not start.
    /// A size of 0 or less uses the chart's size on the screen.
    bool SetPEactions(int action);
    /// Why the last action failed; PEError::None after one that succeeded.
    PEError lastError() const { return lastError_; }
    /// Runs gPrintDialog or gPrintGraph in black and white; the screen goes back
    /// to colour afterwards. False, with lastError(), when the print-out failed.
    bool printMonochrome(int action);

    /// From beginPrintJob to endPrintJob, every gPrintGraph adds a page to one job: to a
    /// printer each page is still a print-out of its own, but a printer that writes a file
    /// gets all pages in that one file. False from endPrintJob when the job failed.
    void beginPrintJob();
    bool endPrintJob();

    /// While on, print-outs and exported pictures show all points, whatever zoom the screen
    /// shows (the screen keeps its zoom).
    void setOutputsUnzoomed(bool on) { bOutputsUnzoomed = on; }

    /// The printer that print-outs go to: the program's one printer (programPrinter()).
    QPrinter &printer();

    // ---- what the screen shows
    const ChartModel &model() const { return model_; }
    const ChartStyle &shownStyle() const { return style_; }
    /// The looks of print-outs and exported pictures: the screen's, without the cursor.
    ChartStyle outputStyle() const;
    /// The layout of the chart on the screen, for mapping mouse positions.
    ChartLayout screenLayout() const;
    bool isZoomed() const { return model_.isZoomed(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    /// The user moved the cursor (mouse or keys); read GetCursorPoint().
    void OnCursorMoved();
    /// The user zoomed in.
    void OnZoomIn();
    /// Any key pressed on the chart, before the chart acts on it.
    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void reinitAndReset();
    void resetImage();
    void undoZoom();
    bool bmpToFile();
    bool bmpToClip();
    bool metaToFile();
    bool metaToClip();
    bool printDialog();
    bool printGraph();
    /// The model that outputs show: the screen's, unzoomed while setOutputsUnzoomed is on.
    ChartModel outputModel() const;
    bool fail(PEError error);
    QSize bitmapSize() const;
    QSize metafileSize() const;
    void invalidate();
    void cursorMovedByUser(bool moved);
    void clickAt(QPointF position);
    void zoomTo(const QRectF &selection);

    ChartData pending_;
    ChartStyle pendingStyle_;
    PEGraphHandle handle_{pending_};
    ChartModel model_;
    ChartStyle style_;

    int iSubsets = 1;
    bool bMouseCursorControl = true;
    CursorPromptStyle iCursorPromptStyle = gNoPrompt;
    Zooming iAllowZooming = gNoZooming;
    bool bPrepareImages = true;
    bool bAllowPopup = false;
    bool bNoStackedData = true;
    bool bAllowHistogram = false;
    bool bAllowDataHotSpots = false;
    int iPEnarg1 = 0;   ///< width for the next action: pixels or hundredths of a millimetre
    int iPEnarg2 = 0;   ///< height, likewise
    QString sPEstrarg1; ///< file name for the next action
    PEError lastError_ = PEError::None;
    std::unique_ptr<ChartPrintJob> printJob_; ///< the print job open between beginPrintJob and endPrintJob
    bool bOutputsUnzoomed = false;

    /// Paints what changed into cache_: the data anew over the kept background,
    /// or everything when the background changed. Returns the pixels (widget
    /// coordinates) that changed.
    QRegion repaintCache();

    QImage cache_; ///< the chart as last painted on the screen
    bool cacheValid_ = false;
    QImage background_;                ///< the chart's background as last painted (paintChartBackground)
    ChartBackgroundKey backgroundKey_; ///< what background_ was painted from
    bool backgroundValid_ = false;
    QRegion dataArea_;           ///< where the data was last painted into cache_
    bool bRefreshQueued = false; ///< the cache is brought up to date with the next turn of the event loop
    QPointF pressPos_;           ///< where the left button went down
    bool pressed_ = false;
    QRectF selection_; ///< the zoom rectangle being dragged (empty when none)
};

} // namespace orvel
