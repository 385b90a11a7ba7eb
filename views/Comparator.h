#pragma once
// The comparator: judges each reading against an upper and a lower limit.

#include "meter/MeterReading.h"

#include <QWidget>

namespace orvel {

inline constexpr int kAlarmButtonHeight = 25; ///< height of the alarm switch under the frame picture
inline constexpr int kLimitButtonHeight = 25; ///< height of the limits button under the alarm switch

class TComparatorForm : public QWidget
{
    Q_OBJECT

public:
    explicit TComparatorForm(QWidget *parent = nullptr);

    double hiLimit() const { return fHiLimit; }
    double lowLimit() const { return fLowLimit; }

    ComparatorValues values; ///< written by the acquisition tick before it posts UM_READING
    ComparatorValues shown;  ///< the values of the last reading this window took
    int iReadingsShown = 0;  ///< readings taken since start-up

protected:
    void customEvent(QEvent *event) override;

private:
    /// UM_READING: takes the reading the tick left in `values`.
    void UmReading();

    double fHiLimit = 0.0;  ///< upper limit in the unit and prefix the meter shows
    double fLowLimit = 0.0; ///< lower limit, likewise
};

extern TComparatorForm *ComparatorForm;

} // namespace orvel
