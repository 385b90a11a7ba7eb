#pragma once
// The digital meter: imitates the meter's display, lime characters on black:
// the number, the prefix and unit at its right, the AC/DC mark above the unit
// and an auxiliary line under the number. Always shown; it can be minimised and
// maximised but not closed. The acquisition tick writes its panels.

#include "meter/MeterReading.h"
#include "recorder/WindowContext.h"

#include <QWidget>

class QFrame;
class QLabel;

namespace orvel {

class TDigitalMeterForm : public QWidget
{
    Q_OBJECT

public:
    explicit TDigitalMeterForm(const WindowContext &context, QWidget *parent = nullptr);

    /// Caption "Digital Meter : COM n" for port `port`.
    static QString captionFor(int port);
    /// Sets the caption for the port now selected.
    void UpdateCaption();

    /// Writes what a tick computed into the panels.
    void showReading(const DigitalPanels &panels);

    QFrame *LcdPanel = nullptr;     ///< the black display, lowered bevel 2
    QLabel *FuncPanel = nullptr;    ///< unit label, right edge
    QLabel *pnlAcDc = nullptr;      ///< AC/DC mark, top of FuncPanel
    QLabel *UnitPanel = nullptr;    ///< prefix label, left of FuncPanel
    QLabel *DataPanel = nullptr;    ///< the number
    QLabel *SubDataPanel = nullptr; ///< auxiliary line, bottom of DataPanel

    void LcdPanelResize();
    void DataPanelResize();
    void SubDataPanelResize();
    void UnitPanelResize();
    void FuncPanelResize();

protected:
    void closeEvent(QCloseEvent *event) override;
    void customEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const WindowContext Context;

    void FormCreate();
    void applySizeLimits();
};

extern TDigitalMeterForm *DigitalMeterForm;

} // namespace orvel
