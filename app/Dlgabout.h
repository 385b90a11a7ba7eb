#pragma once
// The About box: program name, version, date and the system it runs on.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace orvel {

class TDlgAboutForm : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgAboutForm(QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;        ///< the application icon
    QPlainTextEdit *Memo1 = nullptr; ///< read-only lines: series, name, version, date, system
    QPushButton *BitBtn1 = nullptr;  ///< OK
};

extern TDlgAboutForm *DlgAboutForm;

} // namespace orvel
