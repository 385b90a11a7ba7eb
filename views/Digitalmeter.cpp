#include "views/Digitalmeter.h"

#include "base/Messages.h"
#include "meter/PanelText.h"
#include "meter/ProgramState.h"
#include "platform/Tiling.h"
#include "platform/WindowPlacement.h"
#include "resources/Icons.h"
#include "resources/Strings.h"
#include "views/MeterLayout.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace orvel {

TDigitalMeterForm *DigitalMeterForm = nullptr;

namespace {
constexpr int kCaption = 100;    // "Digital Meter"
constexpr int kComSuffix = 2011; // " : COM "
constexpr int kIcon = 2;
constexpr int kBevel = 2;
constexpr QSize kDesignSize{242, 102};

void setPointSize(QLabel *label, int points)
{
    QFont f = label->font();
    f.setPointSize(points);
    label->setFont(f);
}
} // namespace

TDigitalMeterForm::TDigitalMeterForm(const WindowContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , Context(context)
{
    const QSize screen = primaryScreenSize();
    setOuterGeometry(this, digitalMeterRect(screen.width(), screen.height(), Context.placement.stripHeight));

    LcdPanel = new QFrame(this);
    LcdPanel->setObjectName(QStringLiteral("LcdPanel"));
    LcdPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    LcdPanel->setLineWidth(kBevel);
    setLcdColours(LcdPanel);
    LcdPanel->resize(kDesignSize);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(LcdPanel);

    FuncPanel = blackPanel(LcdPanel, "FuncPanel", kLime, 15, Qt::AlignCenter);
    pnlAcDc = blackPanel(FuncPanel, "pnlAcDc", kLime, 15, Qt::AlignCenter);
    UnitPanel = blackPanel(LcdPanel, "UnitPanel", kLime, 15, Qt::AlignCenter);
    DataPanel = blackPanel(LcdPanel, "DataPanel", kLime, 27, Qt::AlignCenter);
    SubDataPanel = blackPanel(DataPanel, "SubDataPanel", kLime, 15, Qt::AlignLeft | Qt::AlignVCenter);

    // The resize rules follow each panel's own size.
    for (QWidget *w :
         {static_cast<QWidget *>(LcdPanel), static_cast<QWidget *>(DataPanel), static_cast<QWidget *>(SubDataPanel),
          static_cast<QWidget *>(UnitPanel), static_cast<QWidget *>(FuncPanel)})
        w->installEventFilter(this);

    FormCreate();
    LcdPanelResize();
    show();
}

void TDigitalMeterForm::FormCreate()
{
    UpdateCaption();
    setWindowIcon(programIcon(kIcon));
    applySizeLimits();
}

void TDigitalMeterForm::applySizeLimits()
{
    const QSize screen = primaryScreenSize();
    const SizeLimits limits = digitalMeterLimits(screen.width(), screen.height(), Context.placement.stripHeight);
    setSizeLimits(this, limits, NormalSize::Fixed);
}

QString TDigitalMeterForm::captionFor(int port)
{
    return LoadStr(kCaption) + LoadStr(kComSuffix) + QString::number(port);
}

void TDigitalMeterForm::UpdateCaption()
{
    setWindowTitle(captionFor(Context.state.SelectedPort));
}

void TDigitalMeterForm::showReading(const DigitalPanels &panels)
{
    DataPanel->setText(panels.DataPanel);
    SubDataPanel->setText(panels.SubDataPanel);
    showLabel(UnitPanel, panels.UnitPanel, panels.style.prefixFace, panels.style.prefixAlign);
    showLabel(FuncPanel, panels.FuncPanel, panels.style.unitFace, panels.style.unitAlign);
    setPointSize(FuncPanel, tickUnitFontPoints(FuncPanel->width()));
    pnlAcDc->setText(panels.pnlAcDc);
}

void TDigitalMeterForm::LcdPanelResize()
{
    const DigitalMeterLayout l = digitalMeterLayout(LcdPanel->width(), LcdPanel->height(), kBevel);
    FuncPanel->setGeometry(l.funcPanel);
    UnitPanel->setGeometry(l.unitPanel);
    DataPanel->setGeometry(l.dataPanel);
    SubDataPanel->setGeometry(l.subDataPanel);
}

void TDigitalMeterForm::DataPanelResize()
{
    setPointSize(DataPanel, panelFontPoints(DataPanel->width(), DataPanel->logicalDpiY(), kDataFontFactor));
}

void TDigitalMeterForm::SubDataPanelResize()
{
    setPointSize(SubDataPanel, panelFontPoints(SubDataPanel->width(), SubDataPanel->logicalDpiY(), kSubDataFontFactor));
}

void TDigitalMeterForm::UnitPanelResize()
{
    setPointSize(UnitPanel, panelFontPoints(UnitPanel->width(), UnitPanel->logicalDpiY(), kUnitFontFactor));
}

void TDigitalMeterForm::FuncPanelResize()
{
    setPointSize(FuncPanel, panelFontPoints(FuncPanel->width(), FuncPanel->logicalDpiY(), kFuncFontFactor));
    pnlAcDc->setGeometry(acDcMarkRect(FuncPanel->size()));
    setPointSize(pnlAcDc, panelFontPoints(pnlAcDc->width(), pnlAcDc->logicalDpiY(), kAcDcFontFactor));
}

bool TDigitalMeterForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == LcdPanel)
            LcdPanelResize();
        else if (watched == DataPanel)
            DataPanelResize();
        else if (watched == SubDataPanel)
            SubDataPanelResize();
        else if (watched == UnitPanel)
            UnitPanelResize();
        else if (watched == FuncPanel)
            FuncPanelResize();
    }
    return QWidget::eventFilter(watched, event);
}

void TDigitalMeterForm::closeEvent(QCloseEvent *event)
{
    // No close command: the window stays for the whole run.
    event->ignore();
}

void TDigitalMeterForm::customEvent(QEvent *event)
{
    // Messages 1025 to 1028 are accepted and change nothing.
    switch (int(event->type())) {
    case WM_USER + 1:
    case WM_USER + 2:
    case WM_USER + 3:
    case WM_USER + 4: event->accept(); return;
    default: QWidget::customEvent(event);
    }
}

} // namespace orvel
