#include "views/Digitalmeter.h"

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Tiling.h"
#include "platform/WindowPlacement.h"
#include "resources/Icons.h"
#include "resources/Strings.h"

#include <QCloseEvent>
#include <QFrame>
#include <QVBoxLayout>

namespace orvel {

TDigitalMeterForm *DigitalMeterForm = nullptr;

namespace {
constexpr int kCaption = 100;    // "Digital Meter"
constexpr int kComSuffix = 2011; // " : COM "
constexpr int kIcon = 2;
} // namespace

TDigitalMeterForm::TDigitalMeterForm(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    const QSize screen = primaryScreenSize();
    setOuterGeometry(this, digitalMeterRect(screen.width(), screen.height(), FormMain->stripHeight()));

    LcdPanel = new QFrame(this);
    LcdPanel->setObjectName(QStringLiteral("LcdPanel"));
    LcdPanel->setFrameShape(QFrame::Panel);
    LcdPanel->setFrameShadow(QFrame::Sunken);
    LcdPanel->setLineWidth(2);
    LcdPanel->setAutoFillBackground(true);
    QPalette palette = LcdPanel->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, QColor(0x00, 0xFF, 0x00));
    LcdPanel->setPalette(palette);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(LcdPanel);

    FormCreate();
    show();
}

void TDigitalMeterForm::FormCreate()
{
    UpdateCaption();
    setWindowIcon(programIcon(kIcon));
}

QString TDigitalMeterForm::captionFor(int port)
{
    return LoadStr(kCaption) + LoadStr(kComSuffix) + QString::number(port);
}

void TDigitalMeterForm::UpdateCaption()
{
    setWindowTitle(captionFor(SelectedPort));
}

void TDigitalMeterForm::closeEvent(QCloseEvent *event)
{
    // No close command: the window stays for the whole run.
    event->ignore();
}

} // namespace orvel
