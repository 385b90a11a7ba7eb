#pragma once
// The port dialog: chooses which of COM1 … COM8 the meter is on. Only the ports
// found at start-up can be chosen; each shows the device it opens.

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace orvel {

class TDlgRsPortForm : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgRsPortForm(QWidget *parent = nullptr);

    int iPortNo = 1; ///< the chosen port, 1..8: written by the caller before showing, read after OK

    std::array<QRadioButton *, 8> rbtnCom{}; ///< rbtnCom1 … rbtnCom8: odd ports left, even right
    std::array<QLabel *, 8> lblDevice{};     ///< the device path beside each port
    QPushButton *bbtnOk = nullptr;
    QPushButton *bbtnCancel = nullptr;

    /// Enables the ports found at start-up and checks the working port.
    void FormShow();
    /// Takes the first checked port into iPortNo and closes with OK.
    void bbtnOkClick();

protected:
    void showEvent(QShowEvent *event) override;
};

extern TDlgRsPortForm *DlgRsPortForm;

} // namespace orvel
