#pragma once
// The graph viewer: the whole recording in one chart, full screen. Buffers of
// 8192 readings and more are reduced to each block's extremes (ViewReduction)
// so that the chart never holds more than 5120 points.

#include "export/ViewReduction.h"
#include "recorder/WindowContext.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace orvel {

class PEGraph;
class StatisticsWindow;

class TFormViewGraphic : public QDialog
{
    Q_OBJECT

public:
    explicit TFormViewGraphic(const WindowContext &context, QWidget *parent = nullptr);

    // ---- what the chart shows since the last opening
    int iPointCount = 0;         ///< chart points
    qsizetype iReadingCount = 0; ///< readings the chart was made from
    float fTop = 100.0f;         ///< Y range top, the recorder's fScaleMax at the opening
    float fBottom = -100.0f;     ///< Y range bottom, the recorder's fScaleMin at the opening
    bool bReduced = false;       ///< the chart shows a reduced set of readings
    ViewReduction Reduction;     ///< while reduced: the buffer index of each point, largest and smallest position

    // ---- controls
    orvel::PEGraph *PEGraphView = nullptr;
    QFrame *DisplayPanel = nullptr;
    QToolButton *sbtnPrint = nullptr;
    QToolButton *sbtnUndoZoom = nullptr;
    QToolButton *sbtnExport = nullptr;
    QToolButton *sbtnStatistics = nullptr;
    StatisticsWindow *Statistics = nullptr; ///< statistics of the zoomed range (or all) and the recording
    QPushButton *bbtnClose = nullptr;
    QLabel *MaxTimePanel = nullptr;
    QLabel *MaxDataPanel = nullptr; ///< a click puts the cursor on the largest reading
    QLabel *MaxUnitPanel = nullptr; ///< prefix label of the largest reading
    QLabel *MaxFuncPanel = nullptr; ///< unit label of the largest reading
    QLabel *MaxPFPanel = nullptr;   ///< auxiliary text of the largest reading
    QLabel *MinTimePanel = nullptr;
    QLabel *MinDataPanel = nullptr; ///< a click puts the cursor on the smallest reading
    QLabel *MinUnitPanel = nullptr;
    QLabel *MinFuncPanel = nullptr;
    QLabel *MinPFPanel = nullptr;
    QStatusBar *StatusBar1 = nullptr;

    // ---- commands
    void sbtnPrintClick();
    void sbtnUndoZoomClick();
    void sbtnExportClick();
    void bbtnCloseClick();
    void MaxDataPanelClick();
    void MinDataPanelClick();
    /// Buffer indexes of the readings the chart shows (the zoomed range, or all).
    std::pair<qsizetype, qsizetype> readingsInView() const;

    /// The opening: full screen, the chart rebuilt from the buffer as it is now,
    /// the Max. and Min. groups from the recorder's extremes.
    void FormShow();
    /// The closing: the index list dropped, the chart cut back to 100 points.
    void FormClose();

    /// Every way of closing (Close, the close box, Escape) ends here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const WindowContext Context;

    void BuildControls();
    void PEGraphViewZoomIn();
    /// Loads the points (reduced or full) and redraws from the start, unzoomed.
    void loadChart();
    void showExtremes();
    void redrawChart();
};

extern TFormViewGraphic *FormViewGraphic;

} // namespace orvel
