#pragma once
// The comparator's limit dialog: an upper and a lower limit, each with the
// prefix and unit of the reading beside it. OK needs the upper limit above the
// lower one; Cancel copies nothing back.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvel {

class TDlgHiLowForm : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgHiLowForm(QWidget *parent = nullptr);

    double fHiLimit = 0.0;  ///< the upper limit being edited
    double fLowLimit = 0.0; ///< the lower limit being edited
    int iFunction = 0;      ///< the reading's function, for the label faces
    QString szPrefix;       ///< the reading's prefix label
    QString szUnit;         ///< the reading's unit label

    QLineEdit *mkeHiLimit = nullptr;
    QLineEdit *mkeLowLimit = nullptr;
    QLabel *stxtHiUnit = nullptr;
    QLabel *stxtLowUnit = nullptr;
    QLabel *stxtHiFunc = nullptr;
    QLabel *stxtLowFunc = nullptr;
    QPushButton *bbtnOk = nullptr;
    QPushButton *bbtnCancel = nullptr;

    /// Puts the stored limits back into the entries and sets the labels.
    void FormPaint();
    /// Takes an entry: an empty text keeps the stored limit (and shows it again),
    /// a number that single precision holds becomes it, anything else is refused
    /// with E9007 and the stored limit stays. False after a refusal.
    bool mkeHiLimitChange();
    bool mkeLowLimitChange();
    /// OK: takes both entries, then closes only when upper > lower (else E9008).
    void bbtnOkClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool takeEntry(QLineEdit *entry, double &limit);
};

extern TDlgHiLowForm *DlgHiLowForm;

} // namespace orvel
