#pragma once
// The port dialog: chooses which of COM1 … COM8 the meter is on. Only the ports
// found at start-up can be chosen; each shows the device it opens.

#include <QDialog>

#include <array>

class QDialogButtonBox;
class QFrame;
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
    QLabel *lblAccess = nullptr;             ///< under the ports: which ones the user may not open, and why
    QPushButton *bbtnOk = nullptr;
    QPushButton *bbtnCancel = nullptr;

    /// Enables the ports found at start-up and checks the working port.
    void FormShow();
    /// Takes the first checked port into iPortNo and closes with OK.
    void bbtnOkClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    /// Shows lblAccess (the dialog grows by its height) when `text` is not empty.
    void placeAccessNote(const QString &text);

    QFrame *bevel_ = nullptr;
    QDialogButtonBox *buttons_ = nullptr;
};

extern TDlgRsPortForm *DlgRsPortForm;

} // namespace orvel
