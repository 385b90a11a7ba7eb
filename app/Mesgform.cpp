#include "app/Mesgform.h"

#include "platform/WindowPlacement.h"

namespace orvel {

TMsgForm *MsgForm = nullptr;

TMsgForm::TMsgForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(466, 148);
    centreOnScreen(this);
}

} // namespace orvel
