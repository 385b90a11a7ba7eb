#include "recorder/Dlgoption.h"

#include "platform/WindowPlacement.h"
#include "resources/Strings.h"

namespace orvel {

TDialogOption *DialogOption = nullptr;

namespace {
constexpr int kCaption = 106; // "Acquisition Interval option"
} // namespace

TDialogOption::TDialogOption(QWidget *parent)
    : QDialog(parent, Qt::Dialog)
{
    setWindowTitle(LoadStr(kCaption));
    setFixedSize(385, 249);
    centreOnScreen(this);
}

} // namespace orvel
