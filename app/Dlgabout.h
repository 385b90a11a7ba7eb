#pragma once
// The About box: program name, version, date and the system it runs on.

#include <QDialog>

namespace orvel {

class TDlgAboutForm : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgAboutForm(QWidget *parent = nullptr);
};

extern TDlgAboutForm *DlgAboutForm;

} // namespace orvel
