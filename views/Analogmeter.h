#pragma once
// The analog meter: the current reading as a needle over a printed scale, with
// a plus or minus sign and a strip with the scale multiplier, prefix and unit.
// The acquisition tick writes `values` and posts UM_READING while the window is
// shown and not minimised; the window then takes the reading and moves its needle.

#include "meter/MeterReading.h"
#include "recorder/WindowContext.h"

#include <QImage>
#include <QWidget>

class QFrame;
class QLabel;

namespace orvel {

class TAnalogMeterForm : public QWidget
{
    Q_OBJECT

public:
    explicit TAnalogMeterForm(const WindowContext &context, QWidget *parent = nullptr);

    AnalogValues values;             ///< written by the acquisition tick before it posts UM_READING
    AnalogValues shown;              ///< the reading the window shows
    double fNeedleAngle = 150.0;     ///< degrees, where the needle is drawn now
    double fPrevNeedleAngle = 150.0; ///< degrees, before the last move
    int iDrawnFunction = 5;          ///< function whose scale is on screen
    int iReadingsShown = 0;          ///< readings taken since start-up
    int iNeedleMoves = 0;            ///< times the needle moved since start-up

    QFrame *Panel1 = nullptr;    ///< the label strip, centred under the scale
    QLabel *MultPanel = nullptr; ///< "x1" … "x1000"
    QLabel *UnitPanel = nullptr; ///< prefix label
    QLabel *FuncPanel = nullptr; ///< unit label

    /// The needle's pivot in the window.
    QPoint pivot() const;
    /// The scale picture on screen now (30, 13 or 15).
    int scalePicture() const;

    /// Draws face, scale, sign and needle; the window's paint.
    void FormPaint(QPainter &painter);

protected:
    void customEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormCreate();
    /// UM_READING: takes the reading the tick left in `values`.
    void UmReading();
    void ShowLabels();

    QImage FaceBitmap; ///< picture 11
};

extern TAnalogMeterForm *AnalogMeterForm;

} // namespace orvel
