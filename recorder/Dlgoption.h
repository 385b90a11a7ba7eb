#pragma once
// The recorder's acquisition interval dialog: manual or automatic, and how often.
// The recorder sets bManualChosen and iIntervalSeconds, shows the dialog
// modally and reads both back only when it closes with OK.

#include <QDialog>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace orvel {

class TDialogOption : public QDialog
{
    Q_OBJECT

public:
    explicit TDialogOption(QWidget *parent = nullptr);

    bool bManualChosen = false; ///< Manual mode chosen
    int iIntervalSeconds = 0;   ///< seconds between samples; 0 means "Full Speed"

    QGroupBox *rgIntervalMode = nullptr;
    QRadioButton *rbtnManual = nullptr;
    QRadioButton *rbtnAutomatic = nullptr;
    QComboBox *cbxInterval = nullptr; ///< item 0 "Full Speed", item 1 "Customization..."
    QLabel *Image1 = nullptr;
    QFrame *Bevel1 = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *bbtnCancel = nullptr;

    /// Puts the members into the controls.
    void FormShow();
    /// Either radio button clicked: takes the mode, enables the list for Automatic.
    void rbtnModeClick();
    /// The user chose an item of cbxInterval: "Full Speed" is 0 seconds,
    /// "Customization..." asks for a number of seconds until one is usable.
    void cbxIntervalChange();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void askInterval();
};

extern TDialogOption *DialogOption;

} // namespace orvel
