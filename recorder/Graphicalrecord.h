#pragma once
// The graphical recorder: the window that shows the recording (recorder/
// Recording) page by page on its chart, with the reading under the cursor,
// the largest and the smallest reading and the status bar, and that commands
// it: Start, Stop and Manual store readings, Clear, Open and Save, Export,
// the pages and the viewer. The recording keeps every state and rule; this
// window shows what its signals say changed and tells the user what went
// wrong, once the recording has settled.

#include "chart/ChartModel.h"
#include "recorder/Recording.h"
#include "recorder/RunWatch.h"
#include "recorder/StoredValue.h"
#include "recorder/WindowContext.h"

#include <QMainWindow>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;

namespace orvel {

class PageProgressBar;
class PEGraph;
class StatisticsWindow;

class TGraphicalForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TGraphicalForm(const WindowContext &context, QWidget *parent = nullptr);
    ~TGraphicalForm() override;

    const int iPagePoints = kPagePoints; ///< chart points on a page

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
    QToolButton *sbtnMark = nullptr; ///< Mark; with Shift held, Mark with Text
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
    QLabel *MarkPanel = nullptr; ///< the texts of the marks on the reading under the cursor
    orvel::PEGraph *PEGraph = nullptr;
    PageProgressBar *ProgressBar = nullptr;
    QLabel *StatusPanels[5] = {}; ///< recording, buffer count, page, interval, clock
    QTimer *TimerTime = nullptr;  ///< the clock in the status bar, every second

    // ---- menu items; a toolbar button that follows the same rule shares its item's action
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
    QAction *mnuConditions = nullptr; ///< the unattended recording's start, stop, alarms and command
    QAction *mnuFirstPage = nullptr;
    QAction *mnuPageUp = nullptr;
    QAction *mnuPageDown = nullptr;
    QAction *mnuLastPage = nullptr;
    QAction *mnuFitView = nullptr;
    QAction *mnuUndoZoom = nullptr;
    QAction *mnuLineColor = nullptr;
    QAction *mnuStatistics = nullptr;
    QAction *mnuMark = nullptr;             ///< M
    QAction *mnuMarkText = nullptr;         ///< Shift+M: asks for the text first
    QAction *mnuEditMark = nullptr;         ///< the text of the mark under the cursor
    QAction *mnuRemoveMark = nullptr;       ///< the mark under the cursor goes
    StatisticsWindow *Statistics = nullptr; ///< statistics of the page (or zoom) and the recording
    RunWatch *Watch = nullptr;              ///< judges the conditions of Start on each reading
    RunPlan Plan;                           ///< the conditions of Start, as the dialog edits them

    // ---- commands (toolbar buttons and menu items)
    void sbtnRecordStartClick();
    void sbtnRecordStopClick();
    void sbtnManualLoggingClick();
    void sbtnOptionClick();
    void sbtnOpenFileClick();
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
    void sbtnMarkClick();
    void mnuEditMarkClick();
    void mnuRemoveMarkClick();
    void mnuConditionsClick();

    // ---- operations
    /// Stores the current reading; tells the user afterwards when that stopped the recording.
    void TakeSample();
    /// Stores the reading that waited while the recording held still, with its time.
    void TakeWaitingSample();
    /// The window that shows a file load's progress (none: loads go unshown).
    void setProgressWindow(ProgressWindow *window) { Context.progress = window; }
    /// Deletes this run's temporary files (at exit).
    void DeleteTemporaryStores();
    /// The enabled state of the buttons (and of the menu items that share their actions).
    void UpdateButtons();
    /// The enabled state of the menu items that follow rules of their own.
    void UpdateMenus();
    void UpdateStatus();
    /// The chart as the window creates it.
    void SetUpChart();
    /// Blanks the chart's 200 points.
    void ClearChart();
    /// Fills the chart with the page shown.
    void ShowPage();
    /// Puts the readings of `page` into the chart's points (no redraw).
    void loadPagePoints(int page);
    /// The reading under the chart's cursor in the display panels and the Y-axis label.
    void ShowCursorReading();
    /// Loads a logger data file into the buffer, with the progress window.
    LoadResult LoadFile(const QString &path);
    /// Opens `path` as Open opens the file chosen (the program started with a file).
    void OpenFile(const QString &path);
    /// Offers the recordings a crashed run left behind for opening, newest first;
    /// Yes opens one like Open does (marked unsaved), No keeps the file.
    void OfferInterruptedRecordings();
    /// Buffer indexes of the readings the chart shows (the zoomed part of the page).
    std::pair<qsizetype, qsizetype> readingsInView() const;
    /// The conditions dialog: the plan kept (in its file in the start-up folder) and used from the next Start.
    void editConditions();
    /// The plan of the start-up folder's file, used from the next Start.
    void loadPlan();
    /// Places a mark on the newest reading while recording, on the reading
    /// under the cursor otherwise; with `askText`, asks for its text first.
    void placeMark(bool askText);
    /// The reading a mark goes on now (−1: none).
    qsizetype markTarget() const;
    /// Position in the recording's marks of the first mark on the reading under the cursor, or −1.
    qsizetype markUnderCursor() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void customEvent(QEvent *event) override;

private:
    WindowContext Context;

    void BuildControls();
    void BuildMenus();
    void FormCreate();
    void UmReading();
    void UmLinkEnded();
    void UmStateChanged();
    void TimerTimeTimer();
    void PEGraphKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void PEGraphZoomIn();
    // What the recording says changed.
    void RecordingReadingStored(qsizetype index);
    void RecordingBufferReset();
    void RecordingLoaded(qsizetype count);
    void RecordingStateChanged();
    void RecordingMarksChanged();
    /// The marks of `page`'s readings on the chart's points.
    std::vector<ChartMark> pageMarks(const PageRange &page) const;
    /// Tells the user a mark could not be written to the temporary file's marks.
    void showMarkNotKept(const QString &why);
    /// Edit and Remove Mark follow whether a mark is under the cursor.
    void syncMarkCommands();
    /// The enabled state of every command under the one rule.
    CommandStates commands() const;
    /// Makes `page` the page shown.
    void showPageNumber(int page);
    /// Redraws the chart from its pending content.
    void redrawChart();
    /// The Undo-zoom command follows whether the chart is zoomed.
    void syncUndoZoom();
    /// The chart's Y range from the recording's scale.
    void showScale();
    /// The Max. and Min. panels from the extremes' indexes.
    void showExtremes();
    void showRequiresLink();
    /// The progress bar back at its start.
    void resetProgress();
    /// Status panel `panel` shows `text`, widened when the text needs more room.
    void showStatusText(QLabel *panel, const QString &text);

    /// Stores `reading` taken at `time` and shows it; tells what went wrong after.
    void storeReading(const TMeterReading &reading, const QTime &time);
    /// Tells the user when a store stopped the recording.
    void showStoreFailure(const StoreResult &stored);

    bool bLinkHeld = false;      ///< the main window was told that a load holds its link
    bool bWaitingQueued = false; ///< TakeWaitingSample is queued
    /// The temporary file could not take a reading: the recording has stopped; say why.
    void showTemporaryStoreFailure(const QString &why);
};

extern TGraphicalForm *GraphicalForm;

} // namespace orvel
