#pragma once
// The analog meter: the current reading as a needle over a printed scale.

#include <QWidget>

namespace orvel {

class TAnalogMeterForm : public QWidget
{
    Q_OBJECT

public:
    explicit TAnalogMeterForm(QWidget *parent = nullptr);

private:
    void FormCreate();
};

extern TAnalogMeterForm *AnalogMeterForm;

} // namespace orvel
