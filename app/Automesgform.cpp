#include "app/Automesgform.h"

#include "platform/WindowPlacement.h"

namespace orvel {

TAutoMsgForm *AutoMsgForm = nullptr;

TAutoMsgForm::TAutoMsgForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(379, 159);
    centreOnScreen(this);
}

} // namespace orvel
