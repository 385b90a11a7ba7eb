#pragma once
// The analog meter: the current reading as a needle over a printed scale.

#include "meter/MeterReading.h"

#include <QWidget>

namespace orvel {

class TAnalogMeterForm : public QWidget
{
    Q_OBJECT

public:
    explicit TAnalogMeterForm(QWidget *parent = nullptr);

    AnalogValues values;    ///< written by the acquisition tick before it posts UM_READING
    AnalogValues shown;     ///< the values of the last reading this window took
    int iReadingsShown = 0; ///< readings taken since start-up

protected:
    void customEvent(QEvent *event) override;

private:
    void FormCreate();
    /// UM_READING: takes the reading the tick left in `values`.
    void UmReading();
};

extern TAnalogMeterForm *AnalogMeterForm;

} // namespace orvel
