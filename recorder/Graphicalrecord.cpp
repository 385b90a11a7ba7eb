#include "recorder/Graphicalrecord.h"

#include "base/Messages.h"
#include "base/Messageshow.h"
#include "base/Progress.h"
#include "chart/ChartSetup.h"
#include "chart/PEGraph.h"
#include "meter/FrameDecoder.h"
#include "meter/MeterReading.h"
#include "meter/PanelText.h"
#include "meter/ProgramState.h"
#include "platform/Tiling.h"
#include "platform/UserPrompt.h"
#include "platform/WindowPlacement.h"
#include "recorder/Dlgoption.h"
#include "recorder/Recovery.h"
#include "recorder/RunPlanDialog.h"
#include "recorder/StatisticsWindow.h"
#include "resources/Icons.h"
#include "resources/Strings.h"
#include "resources/Translations.h"

#include "recorder/PageProgressBar.h"
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <new>

namespace orvel {

TGraphicalForm *GraphicalForm = nullptr;

namespace {
constexpr int kCaption = 104; // "Graphical Recorder"
constexpr int kIcon = 3;
constexpr int kClockMs = 1000;
constexpr int kLoadBarSteps = 64; // the progress window's bar while a file is read

// String ids of the status texts and messages.
namespace id {
constexpr int StatusRecording = 7001, StatusCount = 7002, StatusPage = 7003, ModeManual = 201, ModeFullSpeed = 203,
              IntervalSeconds = 205;
constexpr int Reading = 2031, MicroFarad = 2033, Ohm = 2034;
constexpr int OpenFilter = 2042, SaveFilter = 2043, UntitledG52 = 2040, ReadingFile = 8005, AddingData = 8006,
              ReadingCount = 7999, FileOpenError = 9004, FileSaveError = 9005, Interrupted = 2095;
constexpr int NotLinked = 9002, CannotCreateTemp = 9003, NoMemory = 9006, ClearQuestion = 8002, FirstPageMsg = 8008,
              LastPageMsg = 8009, TempWriteFailed = 2050, ClockFormat = 2185;
constexpr int MarkCaption = 2355, MarkPrompt = 2356, MarkNotKept = 2357, MarksDamaged = 2358, MarksUnreadable = 2359;
constexpr int PlanNotKept = 2464;
constexpr int WarningMs = 8000; // a warning of the conditions stays this long in the status bar
} // namespace id

void showStyled(QLabel *unitPanel, QLabel *funcPanel, const TARecord &r)
{
    const LabelStyle style = labelStyleFor(r.iFunction);
    showLabel(unitPanel, fieldText(r.szPrefix), style.prefixFace, style.prefixAlign);
    showLabel(funcPanel, fieldText(r.szUnit), style.unitFace, style.unitAlign);
}
} // namespace

TGraphicalForm::TGraphicalForm(const WindowContext &context, QWidget *parent)
    : QMainWindow(parent)
    , Context(context)
{
    const QSize screen = primaryScreenSize();
    const PlacementContext &place = Context.placement;
    setOuterGeometry(this, recorderRect(screen.width(), screen.height(), place.stripHeight, place.taskbarReserve));
    const SizeLimits limits = recorderLimits(screen.width(), screen.height(), place.stripHeight, place.taskbarReserve);
    setSizeLimits(this, limits, NormalSize::Resizable);

    BuildControls();
    TimerTime = new QTimer(this);
    TimerTime->setInterval(kClockMs);
    connect(TimerTime, &QTimer::timeout, this, &TGraphicalForm::TimerTimeTimer);
    Statistics = new StatisticsWindow(Context, this, [this] { return readingsInView(); });
    const Recording *rec = &Context.recording;
    connect(rec, &Recording::readingStored, this, &TGraphicalForm::RecordingReadingStored);
    connect(rec, &Recording::bufferReset, this, &TGraphicalForm::RecordingBufferReset);
    connect(rec, &Recording::loaded, this, &TGraphicalForm::RecordingLoaded);
    connect(rec, &Recording::stateChanged, this, &TGraphicalForm::RecordingStateChanged);
    connect(rec, &Recording::marksChanged, this, &TGraphicalForm::RecordingMarksChanged);
    Watch = new RunWatch(Context.recording, this);
    Watch->limits = [this] { return std::pair{Context.state.HiLimit, Context.state.LowLimit}; };
    // The kept readings go to the newest page, as every stored reading does.
    connect(Watch, &RunWatch::triggered, this, [this] { showPageNumber(Context.recording.state().iLastPage); });
    connect(Watch, &RunWatch::storeFailed, this, &TGraphicalForm::showStoreFailure);
    connect(Watch, &RunWatch::warning, this,
            [this](const QString &text) { statusBar()->showMessage(text, id::WarningMs); });
    FormCreate();
    TimerTime->start();
    TimerTimeTimer();
    show();
}

TGraphicalForm::~TGraphicalForm()
{
    DeleteTemporaryStores();
}

void TGraphicalForm::FormCreate()
{
    setWindowIcon(programIcon(kIcon));
    setWindowTitle(LoadStr(kCaption));
    ToolPanel->setText(windowTitle() + QStringLiteral("   "));
    BuildMenus();
    resetProgress();
    RecordingStateChanged();
    SetUpChart();
    loadPlan();
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
    showScale();
    redrawChart();
}

void TGraphicalForm::redrawChart()
{
    redraw(*PEGraph);
    syncUndoZoom();
    if (Statistics)
        Statistics->refresh();
}

void TGraphicalForm::showScale()
{
    const ScaleRange &scale = Context.recording.state().Scale;
    PEGraph->SetManualMaxY(scale.fScaleMax);
    PEGraph->SetManualMinY(scale.fScaleMin);
}

std::pair<qsizetype, qsizetype> TGraphicalForm::readingsInView() const
{
    const RecorderState &s = Context.recording.state();
    const PageRange page = pageRange(Context.recording.buffer().count(), s.iLastPage, s.iShownPage);
    const ChartModel &chart = PEGraph->model();
    if (!chart.isZoomed())
        return {page.first, page.count};
    return pageReadings(page, chart.firstShown(), chart.lastShown());
}

void TGraphicalForm::syncUndoZoom()
{
    mnuUndoZoom->setEnabled(commands().undoZoom);
}

void TGraphicalForm::ClearChart()
{
    PEGraph->SetSubsetLineTypes(0, gThinSolid);
    PEGraph->SetMarks({});
    setPointCount(*PEGraph, iPagePoints);
    showScale();
    for (int i = 0; i < iPagePoints; ++i)
        setEmptyPoint(*PEGraph, i);
    redrawChart();
    PEGraph->SetCursorPoint(iPagePoints - 1);
    ShowCursorReading();
}

void TGraphicalForm::ShowPage()
{
    loadPagePoints(Context.recording.state().iShownPage);
    redrawChart();
    ShowCursorReading();
    UpdateButtons(); // the page commands follow the page shown
    UpdateStatus();
}

void TGraphicalForm::loadPagePoints(int page)
{
    const ReadingBuffer &buffer = Context.recording.buffer();
    const PageRange range = pageRange(buffer.count(), Context.recording.state().iLastPage, page);
    for (int point = 0; point < iPagePoints; ++point) {
        const int k = point - range.emptyPoints;
        if (point < range.emptyPoints || k >= range.count) {
            setEmptyPoint(*PEGraph, point);
            continue;
        }
        const TARecord &r = buffer.at(range.first + k);
        setChartPoint(*PEGraph, point, r.fReading, fieldText(r.szTime));
    }
    PEGraph->SetMarks(pageMarks(range));
}

std::vector<ChartMark> TGraphicalForm::pageMarks(const PageRange &page) const
{
    std::vector<ChartMark> marks;
    const MarkList &all = Context.recording.marks();
    const auto [from, to] = all.within(page.first, page.count);
    for (qsizetype p = from; p < to; ++p)
        marks.push_back({page.emptyPoints + int(all.at(p).index - page.first), all.at(p).text});
    return marks;
}

void TGraphicalForm::ShowCursorReading()
{
    const ReadingBuffer &buffer = Context.recording.buffer();
    if (buffer.isEmpty()) {
        MarkPanel->clear();
        syncMarkCommands();
        return;
    }
    const RecorderState &s = Context.recording.state();
    const qsizetype index = cursorIndex(PEGraph->GetCursorPoint(), buffer.count(), s.iLastPage, s.iShownPage);
    QString axis = LoadStr(id::Reading);
    // The marks on the reading, their texts whole.
    QStringList marked;
    const MarkList &marks = Context.recording.marks();
    for (qsizetype p = index < 0 ? -1 : marks.find(index); p >= 0 && p < marks.size() && marks.at(p).index == index;
         ++p)
        marked << marks.at(p).text.simplified();
    MarkPanel->setText(marked.join(QStringLiteral(" | ")));
    syncMarkCommands();
    if (index < 0) {
        for (QLabel *p : {TimePanel, ReadingDataPanel, ReadingUnitPanel, ReadingFuncPanel})
            p->clear();
    } else {
        const TARecord &r = buffer.at(index);
        TimePanel->setText(fieldText(r.szTime));
        ReadingDataPanel->setText(fieldText(r.szDisplay));
        PFPanel->setText(fieldText(r.szAux));
        showStyled(ReadingUnitPanel, ReadingFuncPanel, r);
        if (r.iFunction == fn::Capacitance)
            axis += LoadStr(id::MicroFarad);
        else if (isResistance(r.iFunction))
            axis += LoadStr(id::Ohm);
        else
            axis += QLatin1Char('(') + ReadingFuncPanel->text() + QLatin1Char(')');
    }
    PEGraph->SetYAxisLabel(axis);
    redrawChart();
}

void TGraphicalForm::PEGraphZoomIn()
{
    syncUndoZoom();
    Statistics->refresh();
}

void TGraphicalForm::sbtnUndoZoomClick()
{
    PEGraph->SetPEactions(gUndoZoom);
    syncUndoZoom();
    Statistics->refresh();
}

void TGraphicalForm::PEGraphKeyDown(int key, Qt::KeyboardModifiers)
{
    // PgUp and PgDn page whatever the modifiers, even while the buttons are
    // disabled; never while the buffer and the page are held still.
    if (Context.recording.state().frozen())
        return;
    if (key == Qt::Key_PageUp)
        sbtnPageUpClick();
    else if (key == Qt::Key_PageDown)
        sbtnPageDownClick();
}

void TGraphicalForm::showPageNumber(int page)
{
    Context.recording.setShownPage(page);
    ShowPage();
}

void TGraphicalForm::sbtnFirstPageClick()
{
    showPageNumber(1);
}

void TGraphicalForm::sbtnPageUpClick()
{
    const int shown = Context.recording.state().iShownPage;
    if (shown == 1)
        ShowCodedMessage(this, str::WarningCaption, id::FirstPageMsg);
    else
        showPageNumber(shown - 1);
}

void TGraphicalForm::sbtnPageDownClick()
{
    const RecorderState &s = Context.recording.state();
    if (s.iShownPage == s.iLastPage)
        ShowCodedMessage(this, str::WarningCaption, id::LastPageMsg);
    else
        showPageNumber(s.iShownPage + 1);
}

void TGraphicalForm::sbtnLastPageClick()
{
    showPageNumber(Context.recording.state().iLastPage);
}

void TGraphicalForm::sbtnFitViewClick()
{
    if (Context.fitView)
        Context.fitView();
}

// ---- storing a reading -----------------------------------------------------------

void TGraphicalForm::TakeSample()
{
    if (Context.reading)
        storeReading(*Context.reading, Clock());
}

void TGraphicalForm::TakeWaitingSample()
{
    bWaitingQueued = false;
    if (!Context.recording.canStore())
        return; // held still again: it waits on
    if (const auto waited = Context.recording.takeWaitingSample())
        storeReading(waited->reading, waited->time);
}

void TGraphicalForm::storeReading(const TMeterReading &reading, const QTime &time)
{
    Recording &rec = Context.recording;
    if (!rec.canStore())
        return;
    if (rec.state().iShownPage != rec.state().iLastPage)
        showPageNumber(rec.state().iLastPage);
    showStoreFailure(rec.takeSample(reading, time));
}

void TGraphicalForm::showStoreFailure(const StoreResult &stored)
{
    // The views have followed the recording; a message comes only now, with
    // the reading stored and the recording stopped.
    if (stored.outcome == StoreOutcome::NoMemory)
        ShowCodedMessage(this, str::ErrorCaption, id::NoMemory);
    else if (stored.outcome == StoreOutcome::StoreFailed)
        showTemporaryStoreFailure(stored.error);
}

void TGraphicalForm::RecordingReadingStored(qsizetype index)
{
    const TARecord &r = Context.recording.buffer().at(index);
    showScale();
    showExtremes();
    PEGraph->GethObject().appendPoint(r.fReading, fieldText(r.szTime));
    redrawChart();
    PEGraph->SetCursorPoint(iPagePoints - 1);
    ShowCursorReading();
    SendMessage(Context.dataList, UM_LIST_ADD, int(index));
    ProgressBar->stepTo(ProgressBar->value() >= ProgressBar->maximum() ? ProgressBar->minimum()
                                                                       : ProgressBar->value() + 1);
}

void TGraphicalForm::showExtremes()
{
    const RecorderState &s = Context.recording.state();
    const ReadingBuffer &buffer = Context.recording.buffer();
    // The first reading leaves the panels blank; from the second on they show the extremes.
    if (s.iStoredCount < 2 || s.Extreme.iMaxIndex >= buffer.count() || s.Extreme.iMinIndex >= buffer.count()) {
        for (QLabel *p : {MaxDataPanel, MaxUnitPanel, MaxFuncPanel, MinDataPanel, MinUnitPanel, MinFuncPanel})
            p->clear();
        return;
    }
    const TARecord &max = buffer.at(s.Extreme.iMaxIndex);
    MaxDataPanel->setText(fieldText(max.szDisplay));
    showStyled(MaxUnitPanel, MaxFuncPanel, max);
    const TARecord &min = buffer.at(s.Extreme.iMinIndex);
    MinDataPanel->setText(fieldText(min.szDisplay));
    showStyled(MinUnitPanel, MinFuncPanel, min);
}

void TGraphicalForm::DeleteTemporaryStores()
{
    Context.recording.DeleteTemporaryStores();
}

void TGraphicalForm::showTemporaryStoreFailure(const QString &why)
{
    TitledMessage(this, LoadStrArg(id::TempWriteFailed, why), PromptIcon::Stop);
}

// ---- recording commands ----------------------------------------------------------

void TGraphicalForm::showRequiresLink()
{
    MessageShow(this, str::ErrorCaption, id::NotLinked, {PromptButton::Ok}, PromptIcon::Stop);
    sbtnRecordStop->setChecked(true);
}

void TGraphicalForm::sbtnRecordStartClick()
{
    if (!Context.state.ReadingReceived) {
        showRequiresLink();
        return;
    }
    // A recording that runs ends its file; the next one is opened, armed when the plan waits for a condition.
    Recording &rec = Context.recording;
    const QString folder = Context.state.WorkDir;
    if (!Watch->begin([&](int pre) { return pre < 0 ? rec.start(folder) : rec.arm(folder, pre); }))
        ShowCodedMessage(this, str::ErrorCaption, id::CannotCreateTemp);
}

void TGraphicalForm::mnuConditionsClick()
{
    editConditions();
}

void TGraphicalForm::loadPlan()
{
    Plan = readRunPlan(runPlanFilePath(Context.state.WorkDir));
    Watch->setConditions(parseRunPlan(Plan).value_or(RunConditions{})); // a damaged file: the dialog shows what
}

void TGraphicalForm::editConditions()
{
    RunPlanDialog dialog(this);
    dialog.setPlan(Plan);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Plan = dialog.plan();
    Watch->setConditions(parseRunPlan(Plan).value_or(RunConditions{}));
    const QString path = runPlanFilePath(Context.state.WorkDir);
    QString why;
    if (!writeRunPlan(path, Plan, &why))
        TitledMessage(this, LoadStr(id::PlanNotKept).arg(QDir::toNativeSeparators(path), why), PromptIcon::Exclamation);
}

void TGraphicalForm::sbtnRecordStopClick()
{
    Context.recording.stop();
}

void TGraphicalForm::sbtnManualLoggingClick()
{
    if (!Context.state.ReadingReceived) {
        showRequiresLink();
        return;
    }
    TakeSample();
}

void TGraphicalForm::sbtnOptionClick()
{
    const RecorderState &s = Context.recording.state();
    DialogOption->bManualChosen = s.bManualMode;
    DialogOption->iIntervalSeconds = s.intervalSeconds();
    if (DialogOption->exec() != QDialog::Accepted)
        return;
    Context.recording.setMode(DialogOption->bManualChosen, DialogOption->iIntervalSeconds);
}

void TGraphicalForm::sbtnOpenFileClick()
{
    // From here to the end of the load nothing changes the buffer: a reading
    // that comes while the questions are asked waits as it does during a load.
    const LoadHold loading(Context.recording);
    sbtnClearClick();
    if (!Context.recording.state().bBufferEmpty)
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

void TGraphicalForm::OpenFile(const QString &path)
{
    const LoadHold loading(Context.recording);
    sbtnClearClick(); // data that was not saved is asked about first, as Open asks
    if (Context.recording.state().bBufferEmpty)
        LoadFile(path);
}

LoadResult TGraphicalForm::LoadFile(const QString &path)
{
    Recording &rec = Context.recording;
    const LoadHold loading(rec);
    LoadJob job;
    job.budgetMs = LoadEventBudgetMs;
    bool shown = false;
    ProgressWindow *progress = Context.progress;
    job.onProgress = [&](qsizetype read, qsizetype total) {
        if (!shown) {
            shown = true;
            QApplication::setOverrideCursor(Qt::WaitCursor);
            if (progress)
                progress->begin(QStringLiteral("[W%1] ").arg(id::ReadingFile) + LoadStr(id::ReadingFile), Qt::red,
                                kLoadBarSteps, [&job] { job.cancel(); });
            ProgressBar->setRange(0, iPagePoints);
        }
        if (progress)
            progress->advance(int(read % (kLoadBarSteps + 1)), LoadStrFmt(id::ReadingCount, int(read), int(total)));
        // The abort question can only be answered while events run.
        QCoreApplication::processEvents();
    };
    job.onReadDone = [&](qsizetype read, qsizetype total) {
        if (progress) {
            progress->advance(kLoadBarSteps, LoadStrFmt(id::ReadingCount, int(read), int(total)));
            progress->setAbortEnabled(false);
        }
        QCoreApplication::processEvents();
        if (progress)
            progress->setMessage(QStringLiteral("[W%1] ").arg(id::AddingData) + LoadStr(id::AddingData), Qt::blue);
    };
    const LoadResult result = rec.load(path, job);
    if (shown) {
        if (progress)
            progress->end();
        QApplication::restoreOverrideCursor();
    }
    if (!result.opened)
        ShowCodedMessage(this, str::ErrorCaption, id::FileOpenError);
    else if (result.end == LoadEnd::NoMemory)
        ShowCodedMessage(this, str::ErrorCaption, id::NoMemory);
    else if (!result.marksProblem.isEmpty()) {
        const QString marks = QDir::toNativeSeparators(marksFilePath(path));
        TitledMessage(
            this,
            result.marksBadLine > 0
                ? LoadStr(id::MarksDamaged).arg(marks, QString::number(result.marksBadLine), result.marksProblem)
                : LoadStr(id::MarksUnreadable).arg(marks, result.marksProblem),
            PromptIcon::Exclamation);
    }
    return result;
}

void TGraphicalForm::RecordingLoaded(qsizetype count)
{
    // The counting phase as one batch: one page drawn (the data list lists the
    // loaded readings itself, in one go).
    showScale();
    ProgressBar->setValue(int(count % (iPagePoints + 1)));
    showExtremes();
    ShowPage();
    PEGraph->SetCursorPoint(iPagePoints - 1);
    ShowCursorReading();
}

void TGraphicalForm::OfferInterruptedRecordings()
{
    const QList<InterruptedRecording> found =
        findInterruptedRecordings(Context.state.WorkDir, Context.recording.temporaryStore().stem());
    for (const InterruptedRecording &r : found) {
        const QString text = LoadStr(id::Interrupted)
                                 .arg(r.lastTime, textLocale().toString(r.records), QDir::toNativeSeparators(r.path));
        if (TitledMessage(this, text, PromptIcon::Question, {PromptButton::Yes, PromptButton::No}) != PromptButton::Yes)
            continue; // kept for later
        const RecorderState &s = Context.recording.state();
        if (!s.bBufferEmpty && s.bUnsaved)
            return; // never over data that has not been saved
        // Opened whole, the file is this run's: it goes at exit once its readings are saved or given up.
        const LoadResult loaded = LoadFile(r.path);
        if (loaded.opened && loaded.end == LoadEnd::Complete)
            Context.recording.adoptInterrupted(r.path);
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
    const bool saved = Context.recording.save(path);
    QApplication::restoreOverrideCursor();
    if (!saved) // nothing was replaced; the data stays marked unsaved
        ShowCodedMessage(this, str::ErrorCaption, id::FileSaveError);
}

void TGraphicalForm::sbtnExportClick()
{
    if (Context.exportPages)
        Context.exportPages(*PEGraph, [this](int page) { loadPagePoints(page); });
    ShowPage(); // the page shown before, with the page commands that go with it
}

void TGraphicalForm::sbtnImportClick()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SendMessage(Context.linkWindow, UM_UNLINK);
    QApplication::restoreOverrideCursor();
}

void TGraphicalForm::sbtnPrintGraphicClick()
{
    PEGraph->printMonochrome(gPrintDialog);
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
    const RecorderState &s = Context.recording.state();
    if (s.bBufferEmpty)
        return;
    if (s.bUnsaved &&
        MessageShow(this, str::WarningCaption, id::ClearQuestion, {PromptButton::Ok, PromptButton::Cancel},
                    PromptIcon::Question, PromptButton::Cancel) != PromptButton::Ok)
        return;
    Context.recording.clear();
}

void TGraphicalForm::RecordingBufferReset()
{
    resetProgress();
    ClearChart();
    SendMessage(Context.dataList, UM_LIST_RESET);
    showExtremes();
}

// ---- marks -----------------------------------------------------------------------

qsizetype TGraphicalForm::markTarget() const
{
    const Recording &rec = Context.recording;
    const RecorderState &s = rec.state();
    if (s.bRecording)
        return rec.buffer().count() - 1; // the newest stored reading
    return cursorIndex(PEGraph->GetCursorPoint(), rec.buffer().count(), s.iLastPage, s.iShownPage);
}

qsizetype TGraphicalForm::markUnderCursor() const
{
    const Recording &rec = Context.recording;
    const RecorderState &s = rec.state();
    const qsizetype index = cursorIndex(PEGraph->GetCursorPoint(), rec.buffer().count(), s.iLastPage, s.iShownPage);
    return index < 0 ? -1 : rec.marks().find(index);
}

void TGraphicalForm::placeMark(bool askText)
{
    // The reading is the one of the moment the command was given; readings
    // that come while the text is asked for are stored meanwhile.
    const qsizetype index = markTarget();
    if (!commands().mark || index < 0)
        return;
    QString text;
    if (askText) {
        InputRequest request{LoadStr(id::MarkCaption), LoadStr(id::MarkPrompt), {}, this};
        text = prompt().inputText(request);
        if (text.isNull())
            return; // cancelled
    }
    const MarkResult placed = Context.recording.placeMark(index, MarkKind::User, text);
    if (!placed.error.isEmpty())
        showMarkNotKept(placed.error);
}

void TGraphicalForm::sbtnMarkClick()
{
    placeMark(QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
}

void TGraphicalForm::mnuEditMarkClick()
{
    const qsizetype position = markUnderCursor();
    if (position < 0 || !commands().mark)
        return;
    InputRequest request{LoadStr(id::MarkCaption), LoadStr(id::MarkPrompt), Context.recording.marks().at(position).text,
                         this};
    const QString text = prompt().inputText(request);
    if (text.isNull())
        return;
    const MarkResult changed = Context.recording.setMarkText(position, text);
    if (!changed.error.isEmpty())
        showMarkNotKept(changed.error);
}

void TGraphicalForm::mnuRemoveMarkClick()
{
    const qsizetype position = markUnderCursor();
    if (position < 0 || !commands().mark)
        return;
    const MarkResult removed = Context.recording.removeMark(position);
    if (!removed.error.isEmpty())
        showMarkNotKept(removed.error);
}

void TGraphicalForm::showMarkNotKept(const QString &why)
{
    TitledMessage(this, LoadStrArg(id::MarkNotKept, why), PromptIcon::Exclamation);
}

void TGraphicalForm::syncMarkCommands()
{
    const bool onMark = commands().mark && markUnderCursor() >= 0;
    mnuEditMark->setEnabled(onMark);
    mnuRemoveMark->setEnabled(onMark);
}

void TGraphicalForm::RecordingMarksChanged()
{
    const Recording &rec = Context.recording;
    const RecorderState &s = rec.state();
    if (s.frozen())
        return; // a load shows its page with its marks once it is done
    PEGraph->SetMarks(pageMarks(pageRange(rec.buffer().count(), s.iLastPage, s.iShownPage)));
    redrawChart();
    ShowCursorReading();
}

// ---- states ----------------------------------------------------------------------

CommandStates TGraphicalForm::commands() const
{
    return commandStates(Context.recording.state(), PEGraph->isZoomed());
}

void TGraphicalForm::RecordingStateChanged()
{
    const RecorderState &s = Context.recording.state();
    // One of Start and Stop is always down: Start while recording or armed.
    (s.running() ? sbtnRecordStart : sbtnRecordStop)->setChecked(true);
    UpdateButtons();
    UpdateMenus();
    UpdateStatus();
    if (s.LoadInProgress != bLinkHeld) { // a load holds the main window's link still
        bLinkHeld = s.LoadInProgress;
        SendMessage(Context.linkWindow, UM_STATE_CHANGED);
    }
    // A reading that waited is stored once the recording moves again, after
    // whatever held it still has ended.
    if (Context.recording.hasWaitingSample() && Context.recording.canStore() && !bWaitingQueued) {
        bWaitingQueued = true;
        QMetaObject::invokeMethod(this, &TGraphicalForm::TakeWaitingSample, Qt::QueuedConnection);
    }
}

void TGraphicalForm::UpdateButtons()
{
    const CommandStates c = commands();
    sbtnRecordStart->setEnabled(c.startButton);
    sbtnRecordStop->setEnabled(c.stopButton);
    const std::pair<QAction *, bool> shared[] = {
        {mnuManual, c.manual},       {mnuInterval, c.interval}, {mnuOpen, c.open},         {mnuImport, c.import},
        {mnuSaveAs, c.save},         {mnuPrint, c.print},       {mnuClear, c.clear},       {mnuExport, c.exportData},
        {mnuFirstPage, c.firstPage}, {mnuPageUp, c.pageUp},     {mnuPageDown, c.pageDown}, {mnuLastPage, c.lastPage},
        {mnuFitView, c.fitView},     {mnuUndoZoom, c.undoZoom}, {mnuMark, c.mark},         {mnuMarkText, c.mark},
    };
    for (const auto &[action, enabled] : shared)
        action->setEnabled(enabled);
    sbtnMark->setEnabled(c.mark);
    syncMarkCommands();
}

void TGraphicalForm::UpdateMenus()
{
    const CommandStates c = commands();
    mnuStart->setEnabled(c.startMenu);
    mnuStop->setEnabled(c.stopMenu);
    mnuPrinterSetup->setEnabled(c.printerSetup);
    mnuConditions->setEnabled(c.conditions);
}

void TGraphicalForm::UpdateStatus()
{
    const RecorderState &s = Context.recording.state();
    showStatusText(StatusPanels[0], s.bRecording ? LoadStr(id::StatusRecording) : Watch->statusText());
    showStatusText(StatusPanels[1], LoadStrFmt(id::StatusCount, s.iStoredCount));
    showStatusText(StatusPanels[2], LoadStrFmt(id::StatusPage, s.iShownPage, s.iLastPage));
    if (s.bManualMode)
        showStatusText(StatusPanels[3], LoadStr(id::ModeManual));
    else if (s.intervalSeconds() == 0)
        showStatusText(StatusPanels[3], LoadStr(id::ModeFullSpeed));
    else
        showStatusText(StatusPanels[3], LoadStr(id::IntervalSeconds) + QLatin1Char(':') +
                                            QString::number(s.intervalSeconds()) + QLatin1Char('S'));
}

void TGraphicalForm::showStatusText(QLabel *panel, const QString &text)
{
    if (panel->text() == text)
        return;
    panel->setText(text);
    // The text, the indent a framed label keeps and the frame.
    const QFontMetrics fm = panel->fontMetrics();
    const int needed = fm.horizontalAdvance(text) + fm.horizontalAdvance(QLatin1Char('x')) + 2 * panel->frameWidth();
    if (needed > panel->width())
        panel->setFixedWidth(needed);
}

void TGraphicalForm::resetProgress()
{
    ProgressBar->setRange(0, iPagePoints);
    ProgressBar->setValue(0);
}

// ---- timers and messages ---------------------------------------------------------

void TGraphicalForm::TimerTimeTimer()
{
    // Two blanks, the time as the language writes a clock (AM/PM and the
    // 12-hour time in English) and a closing double quote.
    StatusPanels[4]->setText(QStringLiteral("  ") + QTime::currentTime().toString(LoadStr(id::ClockFormat)) +
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
    Recording &rec = Context.recording;
    if (!rec.canStore()) { // held still: the reading waits, with its time
        if (Context.reading)
            rec.keepWaitingSample(*Context.reading, Clock());
        return;
    }
    if (!Context.reading)
        return;
    // Every reading of the tick is judged while armed or recording; one that is stored goes to the newest page.
    const RecorderState &s = rec.state();
    if (s.bSampleRequest && !s.bArmed && s.iShownPage != s.iLastPage)
        showPageNumber(s.iLastPage);
    showStoreFailure(Watch->take(*Context.reading, Clock()));
    if (rec.state().bArmed)
        UpdateStatus(); // what it waits for, in the unit of the reading that came
}

void TGraphicalForm::UmLinkEnded()
{
    if (Context.recording.state().running()) // armed too: a meter that hung up starts nothing
        Context.recording.stop();
}

void TGraphicalForm::UmStateChanged()
{
    // A full reset: a load that runs ends, a recording stops, the buffer stays.
    Context.recording.abandonLoad();
    Context.recording.ResetRecorder();
    resetProgress();
    ClearChart();
    SendMessage(Context.linkWindow, UM_STATE_CHANGED);
    SendMessage(Context.dataList, UM_LIST_RESET);
}

void TGraphicalForm::closeEvent(QCloseEvent *event)
{
    // Closing only hides the window; a recording that runs (or waits) stops as Stop stops it.
    if (Context.recording.state().running())
        Context.recording.stop();
    event->accept();
}

} // namespace orvel
