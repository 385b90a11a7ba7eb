#pragma once
// The main window: a strip across the top of the screen with the menu bar, the
// toolbar and the acquisition timer. Closing it ends the program.

#include "platform/SystemMetrics.h"

#include <QMainWindow>

class QAction;
class QFrame;
class QMenu;
class QTimer;
class QToolButton;

namespace orvel {

class TFormMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFormMain(QWidget *parent = nullptr);
    ~TFormMain() override;

    /// Outer height of the strip; the windows below it start there.
    int stripHeight() const { return iStripHeight; }
    /// The frame metrics the layout was computed from.
    const SystemMetrics &metrics() const { return Metrics; }

    int iNoDataCount = 0; ///< ticks in a row without a valid frame

    QTimer *TimerGetSd = nullptr; ///< acquisition tick, 500 ms, runs only while linked
    QFrame *Bevel1 = nullptr;
    QToolButton *sbtnLink = nullptr;
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

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void BuildControls();
    void BuildMenus();

    SystemMetrics Metrics;
    int iStripHeight = 0; ///< outer height of the strip, pixels
    bool bClosed = false; ///< the close sequence has run
};

extern TFormMain *FormMain;

} // namespace orvel
