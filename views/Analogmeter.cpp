#include "views/Analogmeter.h"

#include "base/Messages.h"
#include "meter/Needle.h"
#include "meter/PanelText.h"
#include "platform/Tiling.h"
#include "platform/WindowPlacement.h"
#include "resources/Icons.h"
#include "resources/Pictures.h"
#include "resources/Strings.h"
#include "views/Digitalmeter.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace orvel {

TAnalogMeterForm *AnalogMeterForm = nullptr;

namespace {
constexpr int kCaption = 101; // "Analog Meter"
constexpr int kIcon = 1;
constexpr int kFace = 11, kMinus = 17, kPlus = 18;
constexpr QRect kPanel1{52, 78, 72, 20};
constexpr QPoint kScaleOnFace{9, 28};

} // namespace

TAnalogMeterForm::TAnalogMeterForm(const WindowContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    FaceBitmap = programBitmap(kFace);
    const QSize screen = primaryScreenSize();
    const int strip = context.placement.stripHeight;
    // Under the digital meter where it is made (made alone, where it would be).
    const int digitalHeight = DigitalMeterForm ? outerGeometry(DigitalMeterForm).height()
                                               : digitalMeterRect(screen.width(), screen.height(), strip).height();
    const QRect outer = analogMeterRect(screen.width(), strip, digitalHeight, context.placement.metrics);
    setFixedSize(outer.size()); // fixed frame: only code sizes it
    setOuterGeometry(this, outer);

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(kPanel1);
    auto *layout = new QHBoxLayout(Panel1);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    MultPanel = blackPanel(Panel1, "MultPanel", kLime, 11, Qt::AlignCenter);
    UnitPanel = blackPanel(Panel1, "UnitPanel", kLime, 11, Qt::AlignCenter);
    FuncPanel = blackPanel(Panel1, "FuncPanel", kLime, 11, Qt::AlignCenter);
    UnitPanel->setFixedWidth(19);
    FuncPanel->setFixedWidth(20);
    layout->addWidget(MultPanel, 1);
    layout->addWidget(UnitPanel);
    layout->addWidget(FuncPanel);

    FormCreate();
    show();
}

void TAnalogMeterForm::FormCreate()
{
    setWindowTitle(LoadStr(kCaption));
    setWindowIcon(programIcon(kIcon));
    fNeedleAngle = fPrevNeedleAngle = kAnalogZeroAngle;
    iDrawnFunction = shown.iFunction;
    ShowLabels();
}

QPoint TAnalogMeterForm::pivot() const
{
    return {width() / 2, kAnalogPivotY};
}

int TAnalogMeterForm::scalePicture() const
{
    return analogScaleFor(iDrawnFunction, shown.pointPos);
}

void TAnalogMeterForm::ShowLabels()
{
    MultPanel->setText(multiplierText(shown.pointPos));
    const LabelStyle style = labelStyleFor(shown.iFunction);
    showLabel(UnitPanel, shown.szPrefix, style.prefixFace, style.prefixAlign);
    showLabel(FuncPanel, shown.szUnit, style.unitFace, style.unitAlign);
}

void TAnalogMeterForm::FormPaint(QPainter &painter)
{
    const int faceLeft = (width() - FaceBitmap.width()) / 2;
    painter.drawImage(faceLeft, 0, FaceBitmap);
    painter.drawImage(QPoint(faceLeft, 0) + kScaleOnFace, programBitmap(scalePicture()));

    const QImage sign = programBitmap(shown.negative ? kMinus : kPlus);
    painter.drawImage(Panel1->x() - (sign.width() + sign.width() / 2), Panel1->y() + Panel1->height() - sign.height(),
                      sign);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    const QPoint p = pivot();
    painter.drawLine(p, p + needleEnd(fNeedleAngle, kAnalogNeedleLength));
}

void TAnalogMeterForm::resizeEvent(QResizeEvent *event)
{
    // The label strip stays centred under the scale.
    Panel1->move((width() - Panel1->width()) / 2, kPanel1.top());
    QWidget::resizeEvent(event);
}

void TAnalogMeterForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    FormPaint(painter);
}

void TAnalogMeterForm::customEvent(QEvent *event)
{
    if (event->type() == UM_READING)
        UmReading();
    else
        QWidget::customEvent(event);
}

void TAnalogMeterForm::UmReading()
{
    const AnalogValues before = shown;
    shown = values;
    ++iReadingsShown;
    bool changed = shown.negative != before.negative || shown.szPrefix != before.szPrefix ||
                   shown.szUnit != before.szUnit || shown.pointPos != before.pointPos;
    // The scale follows the function (capacitance's also the point position).
    if (shown.iFunction != iDrawnFunction || shown.iFunction == 8) {
        changed = changed || shown.iFunction != iDrawnFunction;
        iDrawnFunction = shown.iFunction;
    }
    ShowLabels();

    fPrevNeedleAngle = fNeedleAngle;
    fNeedleAngle = analogNeedleAngle(shown.reading, shown.scaleEnd);
    if (fNeedleAngle != fPrevNeedleAngle) {
        ++iNeedleMoves;
        changed = true;
    }
    // The same reading twice changes nothing on screen.
    if (changed)
        update();
}

} // namespace orvel
