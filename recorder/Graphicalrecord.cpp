#include "recorder/Graphicalrecord.h"

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Messages.h"
#include "app/Tiling.h"
#include "platform/WindowPlacement.h"
#include "resources/Icons.h"
#include "resources/Strings.h"

namespace orvel {

TGraphicalForm *GraphicalForm = nullptr;

namespace {
constexpr int kCaption = 104; // "Graphical Recorder"
constexpr int kIcon = 3;
} // namespace

TGraphicalForm::TGraphicalForm(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    const QSize screen = primaryScreenSize();
    setOuterGeometry(this, recorderRect(screen.width(), screen.height(), FormMain->stripHeight(), TaskbarReserve));
    const SizeLimits limits = recorderLimits(screen.width(), screen.height(), FormMain->stripHeight(), TaskbarReserve);
    setSizeLimits(this, limits, NormalSize::Resizable);
    setWindowTitle(LoadStr(kCaption));
    setWindowIcon(programIcon(kIcon));
    show();
}

void TGraphicalForm::sbtnSaveFileClick()
{
    // Logger data files come with the file commands; until then nothing is
    // written and the buffer stays unsaved, so a close that asked to save stays open.
}

void TGraphicalForm::customEvent(QEvent *event)
{
    switch (int(event->type())) {
    case UM_READING: UmReading(); break;
    case UM_LINK_ENDED: UmLinkEnded(); break;
    default: QWidget::customEvent(event); break;
    }
}

void TGraphicalForm::UmReading()
{
    bSampleRequest = false;
    ++iReadingsTaken;
}

void TGraphicalForm::UmLinkEnded()
{
    // Stops a running recording; recording itself comes with the recorder's controls.
    bRecording = false;
}

} // namespace orvel
