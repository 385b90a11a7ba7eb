#pragma once
// The graphical recorder: stores readings of the meter in the reading buffer
// (by hand, or every N seconds while recording runs), keeps each recording in a
// temporary file on disk as it goes, and charts the buffer 200 readings a page.
//
// A reading is stored when the acquisition tick delivers one while
// bSampleRequest is set: Start sets it once, and the logger timer sets it again
// at every interval while recording runs. Manual stores the current reading.

#include "recorder/Pages.h"
#include "recorder/StoredValue.h"
#include "recorder/TempStore.h"

#include <QMainWindow>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QTimer;
class QToolButton;

namespace orvel {

class PEGraph;
class StatisticsWindow;
struct TARecord;
struct TMeterReading;

class TGraphicalForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TGraphicalForm(QWidget *parent = nullptr);
    ~TGraphicalForm() override;

    // ---- recording state
    bool bManualMode = false;            ///< readings are stored only by the Manual command
    int iLoggerInterval = 500;           ///< logger timer, ms: 500 is "Full Speed", else whole seconds × 1000
    const int iPagePoints = kPagePoints; ///< chart points on a page
    bool bRecording = false;             ///< automatic recording runs (the logger timer is on)
    bool bBufferEmpty = true;            ///< nothing stored since the last clear
    bool bUnsaved = false;               ///< the buffer holds data not yet saved to a file
    bool bSampleRequest = false;         ///< the next reading of the acquisition tick is to be stored
    int iStoredCount = 0;                ///< readings stored since the last clear
    int iLastPage = 1;                   ///< pages of the buffer: the newest page's number
    int iShownPage = 1;                  ///< the page in the chart, 1..iLastPage
    ScaleRange Scale;                    ///< the chart's Y range, widened by each reading
    Extremes Extreme;                    ///< indexes of the largest and the smallest reading
    TemporaryStore TempStore;            ///< the temporary file of the recording that runs
    /// Temporary files created by this run; the number in the newest one's name.
    int iTempFileCount() const { return TempStore.count(); }

    /// While a file loads, window messages run at least this often (ms); the
    /// abort is looked at right after each such turn.
    qint64 LoadEventBudgetMs = 40;

    /// Where sample times come from (the wall clock; tests put in their own).
    WallClock Clock = localTimeNow;

    // ---- controls
    QFrame *Bevel1 = nullptr;
    QLabel *ToolPanel = nullptr;
    QToolButton *sbtnRecordStart = nullptr;
    QToolButton *sbtnRecordStop = nullptr;
    QToolButton *sbtnManualLogging = nullptr;
    QToolButton *sbtnOption = nullptr;
    QToolButton *sbtnOpenFile = nullptr;
    QToolButton *sbtnSaveFile = nullptr;
    QToolButton *sbtnPrintGraphic = nullptr;
    QToolButton *sbtnClear = nullptr;
    QToolButton *sbtnImport = nullptr; ///< hidden
    QToolButton *sbtnExport = nullptr;
    QToolButton *sbtnFirstPage = nullptr;
    QToolButton *sbtnPageUp = nullptr;
    QToolButton *sbtnPageDown = nullptr;
    QToolButton *sbtnLastPage = nullptr;
    QToolButton *sbtnUndoZoom = nullptr;
    QToolButton *sbtnFitView = nullptr;
    QFrame *DisplayPanel = nullptr;
    QLabel *TimePanel = nullptr; ///< time of the reading under the cursor
    QLabel *ReadingDataPanel = nullptr;
    QLabel *ReadingUnitPanel = nullptr; ///< prefix label of the reading under the cursor
    QLabel *ReadingFuncPanel = nullptr; ///< unit label of the reading under the cursor
    QLabel *Label3 = nullptr;           ///< "PF", hidden
    QLabel *PFPanel = nullptr;          ///< auxiliary text, hidden
    QLabel *MaxDataPanel = nullptr;
    QLabel *MaxUnitPanel = nullptr;
    QLabel *MaxFuncPanel = nullptr;
    QLabel *MinDataPanel = nullptr;
    QLabel *MinUnitPanel = nullptr;
    QLabel *MinFuncPanel = nullptr;
    orvel::PEGraph *PEGraph = nullptr;
    QProgressBar *ProgressBar = nullptr;
    QLabel *StatusPanels[5] = {};  ///< recording, buffer count, page, interval, clock
    QTimer *TimerLogger = nullptr; ///< sets bSampleRequest every iLoggerInterval while recording
    QTimer *TimerTime = nullptr;   ///< the clock in the status bar, every second

    // ---- menu items
    QAction *mnuOpen = nullptr;
    QAction *mnuSaveAs = nullptr;
    QAction *mnuClear = nullptr;
    QAction *mnuImport = nullptr; ///< hidden
    QAction *mnuExport = nullptr;
    QAction *mnuPrint = nullptr;
    QAction *mnuPrinterSetup = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuStart = nullptr;
    QAction *mnuStop = nullptr;
    QAction *mnuManual = nullptr;
    QAction *mnuInterval = nullptr;
    QAction *mnuFirstPage = nullptr;
    QAction *mnuPageUp = nullptr;
    QAction *mnuPageDown = nullptr;
    QAction *mnuLastPage = nullptr;
    QAction *mnuFitView = nullptr;
    QAction *mnuUndoZoom = nullptr;
    QAction *mnuLineColor = nullptr;
    QAction *mnuStatistics = nullptr;
    StatisticsWindow *Statistics = nullptr; ///< statistics of the page (or zoom) and the recording

    // ---- commands (toolbar buttons; the menu items lead to them)
    void sbtnRecordStartClick();
    void sbtnRecordStopClick();
    void sbtnManualLoggingClick();
    void sbtnOptionClick();
    void sbtnOpenFileClick();
    /// The save command (the Save button).
    void sbtnSaveFileClick();
    void sbtnPrintGraphicClick();
    void sbtnClearClick();
    void sbtnImportClick();
    void sbtnExportClick();
    void sbtnFirstPageClick();
    void sbtnPageUpClick();
    void sbtnPageDownClick();
    void sbtnLastPageClick();
    void sbtnUndoZoomClick();
    void sbtnFitViewClick();
    void mnuPrinterSetupClick();
    void mnuLineColorClick();

    // ---- operations
    /// Stores the current reading: buffer, temporary file, extremes, chart, data list.
    void TakeSample();
    /// Creates the next temporary file; false (with the reason kept) when it cannot.
    bool OpenTemporaryStore();
    void CloseTemporaryStore();
    /// Deletes this run's temporary files (at exit).
    void DeleteTemporaryStores();
    /// Every counter and flag back to an empty buffer.
    void ResetRecorder();
    void UpdateButtons();
    void UpdateMenus();
    void UpdateStatus();
    /// The largest and smallest reading after the newest one, `value`, was appended.
    void UpdateExtremes(float value);
    /// Widens the chart's Y range for `value`.
    void UpdateScale(float value);
    /// The chart as the window creates it.
    void SetUpChart();
    /// Blanks the chart's 200 points.
    void ClearChart();
    /// Fills the chart with page iShownPage.
    void ShowPage();
    /// Puts the readings of `page` into the chart's points (no redraw).
    void loadPagePoints(int page);
    /// The reading under the chart's cursor in the display panels and the Y-axis label.
    void ShowCursorReading();
    /// Loads a logger data file into the empty buffer, with the progress window.
    void LoadFile(const QString &path);
    /// Offers the recordings a crashed run left behind for opening, newest first;
    /// Yes opens one like Open does (marked unsaved), No keeps the file.
    void OfferInterruptedRecordings();
    /// Buffer indexes of the readings the chart shows (the zoomed part of the page).
    std::pair<qsizetype, qsizetype> readingsInView() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void customEvent(QEvent *event) override;

private:
    void BuildControls();
    void BuildMenus();
    void FormCreate();
    void UmReading();
    void UmLinkEnded();
    void UmStateChanged();
    void TimerLoggerTimer();
    void TimerTimeTimer();
    void PEGraphKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void PEGraphZoomIn();
    /// Stops recording as the Stop button does.
    void pressStop();
    /// The temporary file could not take a record: say why and stop recording.
    void temporaryStoreFailed();
    /// Redraws the chart from its pending content.
    void redrawChart();
    /// The Undo-zoom button and menu item follow whether the chart is zoomed.
    void syncUndoZoom();
    /// The page-command states from iShownPage (after a page is shown).
    void updatePageCommands();
    /// The Max. and Min. panels from the extremes' indexes.
    void showExtremes();
    void showRecordInTrio(const TARecord &r, QLabel *dataPanel, QLabel *unit, QLabel *func);
    void showRequiresLink();
};

extern TGraphicalForm *GraphicalForm;

} // namespace orvel
