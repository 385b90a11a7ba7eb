#pragma once
// The comparator: judges each reading against an upper and a lower limit.

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

private:
    double fHiLimit = 0.0;  ///< upper limit in the unit and prefix the meter shows
    double fLowLimit = 0.0; ///< lower limit, likewise
};

extern TComparatorForm *ComparatorForm;

} // namespace orvel
