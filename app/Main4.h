#pragma once
// The main window: a strip across the top of the screen with the menu bar, the
// toolbar and the acquisition timer. It makes and releases the link to the
// meter (the link is nothing but the running of the timer), opens the views,
// tiles the windows, calls the port dialog and the About box, and runs the
// close sequence. Closing it ends the program.

#include "meter/Acquisition.h"
#include "platform/SystemMetrics.h"
#include "platform/WindowPlacement.h"

#include <QMainWindow>

class QAction;
class QFrame;
class QMenu;
class QToolButton;

namespace orvel {

class Recording;
struct ProgramState;

class TFormMain : public QMainWindow
{
    Q_OBJECT

public:
    /// The main window of `recording`, sharing `state` with the other windows;
    /// it fills in `placement` as it lays itself out.
    TFormMain(ProgramState &state, Recording &recording, PlacementContext &placement, QWidget *parent = nullptr);
    ~TFormMain() override;

    /// Outer height of the strip; the windows below it start there.
    int stripHeight() const { return Placement.stripHeight; }
    /// The frame metrics the layout is computed from.
    const SystemMetrics &metrics() const { return Placement.metrics; }

    /// The one current reading.
    const TMeterReading &MeterReading() const { return Acquisition->computation.MeterReading; }
    bool linked() const;

    AcquisitionCycle *Acquisition = nullptr; ///< the tick's reading, counters and frame reader
    int &iNoDataCount;                       ///< ticks in a row without a valid frame

    QFrame *Bevel1 = nullptr;
    QToolButton *sbtnLink = nullptr; ///< down = linked
    QToolButton *sbtnDigitMeter = nullptr;
    QToolButton *sbtnAnalogMeter = nullptr;
    QToolButton *sbtnDataList = nullptr;
    QToolButton *sbtnGraphical = nullptr;
    QToolButton *sbtnComparator = nullptr;
    QToolButton *sbtnWinTile = nullptr;
    QToolButton *sbtnPort = nullptr;
    QToolButton *sbtnAbout = nullptr;

    QMenu *mnuFile = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuLink = nullptr;
    QMenu *mnuWindow = nullptr;
    QAction *mnuTile = nullptr;
    QAction *mnuDigitalMeter = nullptr;
    QAction *mnuAnalogMeter = nullptr;
    QAction *mnuComparator = nullptr;
    QAction *mnuGraphical = nullptr;
    QAction *mnuDataList = nullptr;
    QAction *mnuPort = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuAbout = nullptr;

    // Commands of the toolbar and the menus.
    void sbtnLinkClick();
    void mnuLinkClick();
    void sbtnDigitMeterClick();
    void sbtnAnalogMeterClick();
    void sbtnComparatorClick();
    void sbtnGraphicalClick();
    void sbtnDataListClick();
    void sbtnWinTileClick();
    void sbtnPortClick();
    void sbtnAboutClick();

    /// Link caption, link hint and the enabled states, from the link and LoadInProgress.
    void RefreshLinkState();
    /// Places every window: strip on top, a left column of meters and list, the recorder at the right.
    void TileWindows();
    /// One acquisition tick.

protected:
    void closeEvent(QCloseEvent *event) override;
    void customEvent(QEvent *event) override;

private:
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void BuildControls();
    void BuildMenus();
    void setLink(bool down);
    void ReadingArrived(const ReadingComputation::Outcome &outcome);
    void TickEnded(bool aborted);
    void PortHungUp();
    PromptButton ShowAcquisitionWarning(int textId);

    ProgramState &State;
    Recording &Rec;
    PlacementContext &Placement; ///< the strip's height and metrics, the task-bar reserve
    bool bClosed = false;        ///< the close sequence has run
    bool bPortLost = false;      ///< the port hung up and was closed; linking opens it again
};

extern TFormMain *FormMain;

/// Shows `window` if hidden, restores it if minimised, and brings it to the front.
void bringToFront(QWidget *window);

} // namespace orvel
