#pragma once
// The digital meter: imitates the meter's display, lime characters on black.
// Always shown; the user can minimise and maximise it but not close it.

#include <QWidget>

class QFrame;

namespace orvel {

class TDigitalMeterForm : public QWidget
{
    Q_OBJECT

public:
    explicit TDigitalMeterForm(QWidget *parent = nullptr);

    /// Caption "Digital Meter : COM n" for port `port`.
    static QString captionFor(int port);
    /// Sets the caption for the port now selected.
    void UpdateCaption();

    QFrame *LcdPanel = nullptr; ///< the black display area

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
};

extern TDigitalMeterForm *DigitalMeterForm;

} // namespace orvel
