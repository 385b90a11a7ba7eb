#pragma once
// The comparator: judges each reading against an upper and a lower limit and
// shows the result as a needle over a three-zone arc (blue NG below the lower
// limit, green GO between, red NG above the upper one). With its alarm on it
// sounds a high tone above the upper limit and a low one below the lower limit.

#include "meter/MeterReading.h"
#include "recorder/WindowContext.h"

#include <QImage>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace orvel {

inline constexpr int kAlarmButtonHeight = 25; ///< height of the alarm switch under the frame picture
inline constexpr int kLimitButtonHeight = 25; ///< height of the limits button under the alarm switch
inline constexpr int kLimitButtonWidth = 60;

class TComparatorForm : public QWidget
{
    Q_OBJECT

public:
    explicit TComparatorForm(const WindowContext &context, QWidget *parent = nullptr);

    double hiLimit() const { return fHiLimit; }
    double lowLimit() const { return fLowLimit; }
    /// New limits (from the limit dialog): kept here and in HiLimit / LowLimit.
    void setLimits(double high, double low);

    ComparatorValues values;         ///< written by the acquisition tick before it posts UM_READING
    ComparatorValues shown;          ///< the reading the window shows
    double fNeedleAngle = 130.0;     ///< degrees
    double fPrevNeedleAngle = 130.0; ///< degrees, before the last move
    bool bAlarm = false;             ///< the alarm switch
    int iReadingsShown = 0;          ///< readings taken since start-up

    QPushButton *bbtnAlart = nullptr;      ///< alarm switch, "OFF" / "ON"
    QPushButton *bbtnHiLowLimit = nullptr; ///< opens the limit dialog
    QFrame *Panel1 = nullptr;
    QLabel *HiLimitPanel = nullptr;
    QLabel *HiUnitPanel = nullptr;
    QLabel *HiFuncPanel = nullptr;
    QFrame *Panel2 = nullptr;
    QLabel *LowLimitPanel = nullptr;
    QLabel *LowUnitPanel = nullptr;
    QLabel *LowFuncPanel = nullptr;

    void bbtnAlartClick();
    void bbtnHiLowLimitClick();

    /// The needle's pivot in the window.
    QPoint pivot() const;
    /// Draws frame, scale and needle.
    void FormPaint(QPainter &painter);

protected:
    void customEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    const WindowContext Context;

    /// UM_READING: moves the needle, refreshes the labels, sounds the alarm.
    void UmReading();
    void ShowLabels();
    void ShowLimits();

    double fHiLimit = 0.0;  ///< upper limit in the unit and prefix the meter shows
    double fLowLimit = 0.0; ///< lower limit, likewise
    QImage FrameBitmap;     ///< picture 12
    QImage ScaleBitmap;     ///< picture 16
};

extern TComparatorForm *ComparatorForm;

} // namespace orvel
