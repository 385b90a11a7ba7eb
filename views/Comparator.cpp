#include "views/Comparator.h"

#include "base/FloatText.h"
#include "base/Messages.h"
#include "meter/Needle.h"
#include "meter/PanelText.h"
#include "meter/ProgramState.h"
#include "platform/Tiling.h"
#include "platform/Tone.h"
#include "platform/WindowPlacement.h"
#include "resources/Icons.h"
#include "resources/Pictures.h"
#include "resources/Strings.h"
#include "views/Dlghilow.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace orvel {

TComparatorForm *ComparatorForm = nullptr;

namespace {
constexpr int kCaption = 102; // "Comparator"
constexpr int kIcon = 5;
constexpr int kOff = 2006, kOn = 2007;
constexpr int kFrame = 12, kScale = 16;
constexpr QPoint kScaleOnFrame{16, 22};
constexpr int kAlarmTop = 123;

QLabel *limitLabel(QWidget *parent, const char *name, const QColor &colour, int width)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(10);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    if (width > 0)
        l->setFixedWidth(width);
    return l;
}

QFrame *limitRow(QWidget *parent, QLabel *&value, QLabel *&prefix, QLabel *&unit, const char *names[3],
                 const QColor &colour)
{
    auto *row = new QFrame(parent);
    row->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    row->setAutoFillBackground(true);
    QPalette pal = row->palette();
    pal.setColor(QPalette::Window, Qt::white);
    row->setPalette(pal);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(0);
    value = limitLabel(row, names[0], colour, 0);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    prefix = limitLabel(row, names[1], colour, 14);
    unit = limitLabel(row, names[2], colour, 20);
    layout->addWidget(value, 1);
    layout->addWidget(prefix);
    layout->addWidget(unit);
    return row;
}
} // namespace

TComparatorForm::TComparatorForm(const WindowContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , Context(context)
    , fHiLimit(context.state.HiLimit)
    , fLowLimit(context.state.LowLimit)
{
    FrameBitmap = programBitmap(kFrame);
    ScaleBitmap = programBitmap(kScale);
    const QRect outer = comparatorRect(primaryScreenSize().height(), Context.placement.stripHeight,
                                       Context.placement.metrics, kAlarmButtonHeight, kLimitButtonHeight);
    setFixedSize(outer.size()); // fixed frame: only code sizes it
    setOuterGeometry(this, outer);
    setWindowTitle(LoadStr(kCaption));
    setWindowIcon(programIcon(kIcon));

    const int frameWidth = kComparatorFrameSize.width();
    bbtnAlart = new QPushButton(LoadStr(kOff), this);
    bbtnAlart->setGeometry(0, kAlarmTop, frameWidth, kAlarmButtonHeight);
    bbtnHiLowLimit = new QPushButton(this);
    bbtnHiLowLimit->setIcon(programIcon(kIcon));
    bbtnHiLowLimit->setGeometry(0, kAlarmTop + kAlarmButtonHeight + 1, kLimitButtonWidth, kLimitButtonHeight);
    const char *hiNames[] = {"HiLimitPanel", "HiUnitPanel", "HiFuncPanel"};
    const char *lowNames[] = {"LowLimitPanel", "LowUnitPanel", "LowFuncPanel"};
    Panel1 = limitRow(this, HiLimitPanel, HiUnitPanel, HiFuncPanel, hiNames, Qt::blue);
    Panel2 = limitRow(this, LowLimitPanel, LowUnitPanel, LowFuncPanel, lowNames, Qt::red);
    connect(bbtnAlart, &QPushButton::clicked, this, &TComparatorForm::bbtnAlartClick);
    connect(bbtnHiLowLimit, &QPushButton::clicked, this, &TComparatorForm::bbtnHiLowLimitClick);
    ShowLimits();
    ShowLabels();
}

void TComparatorForm::setLimits(double high, double low)
{
    fHiLimit = high;
    fLowLimit = low;
    Context.state.HiLimit = high;
    Context.state.LowLimit = low;
    ShowLimits(); // the needle keeps its angle until the next reading
}

QPoint TComparatorForm::pivot() const
{
    return {width() / 2, kComparatorPivotY};
}

void TComparatorForm::ShowLimits()
{
    HiLimitPanel->setText(floatToText(fHiLimit));
    LowLimitPanel->setText(floatToText(fLowLimit));
}

void TComparatorForm::ShowLabels()
{
    const LabelStyle style = labelStyleFor(shown.iFunction);
    for (QLabel *prefix : {HiUnitPanel, LowUnitPanel})
        showLabel(prefix, shown.szPrefix, style.prefixFace, style.prefixAlign);
    for (QLabel *unit : {HiFuncPanel, LowFuncPanel})
        showLabel(unit, shown.szUnit, style.unitFace, style.unitAlign);
}

void TComparatorForm::bbtnAlartClick()
{
    bAlarm = !bAlarm;
    bbtnAlart->setText(LoadStr(bAlarm ? kOn : kOff));
}

void TComparatorForm::bbtnHiLowLimitClick()
{
    DlgHiLowForm->fHiLimit = fHiLimit;
    DlgHiLowForm->fLowLimit = fLowLimit;
    DlgHiLowForm->iFunction = shown.iFunction;
    DlgHiLowForm->szPrefix = shown.szPrefix;
    DlgHiLowForm->szUnit = shown.szUnit;
    if (DlgHiLowForm->exec() == QDialog::Accepted)
        setLimits(DlgHiLowForm->fHiLimit, DlgHiLowForm->fLowLimit);
}

void TComparatorForm::FormPaint(QPainter &painter)
{
    const int left = (width() - FrameBitmap.width()) / 2;
    painter.drawImage(left, 0, FrameBitmap);
    painter.drawImage(QPoint(left, 0) + kScaleOnFrame, ScaleBitmap);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    const QPoint p = pivot();
    painter.drawLine(p, p + needleEnd(fNeedleAngle, kComparatorNeedleLength));
}

void TComparatorForm::resizeEvent(QResizeEvent *event)
{
    // Buttons and limit rows keep to the frame picture's left edge.
    const int left = (width() - FrameBitmap.width()) / 2;
    bbtnAlart->move(left, kAlarmTop);
    bbtnHiLowLimit->move(left, kAlarmTop + kAlarmButtonHeight + 1);
    const int rowLeft = left + kLimitButtonWidth + 2;
    const int rowWidth = kComparatorFrameSize.width() - kLimitButtonWidth - 2;
    Panel1->setGeometry(rowLeft, bbtnHiLowLimit->y(), rowWidth, kLimitButtonHeight / 2);
    Panel2->setGeometry(rowLeft, bbtnHiLowLimit->y() + kLimitButtonHeight / 2, rowWidth, kLimitButtonHeight / 2);
    QWidget::resizeEvent(event);
}

void TComparatorForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    FormPaint(painter);
}

void TComparatorForm::customEvent(QEvent *event)
{
    if (event->type() == UM_READING)
        UmReading();
    else
        QWidget::customEvent(event);
}

void TComparatorForm::UmReading()
{
    shown = values;
    ++iReadingsShown;
    fPrevNeedleAngle = fNeedleAngle;
    fNeedleAngle = comparatorNeedleAngle(shown.reading, fHiLimit, fLowLimit);
    ShowLabels();
    // The needle is on screen before the alarm starts; the tone then sounds
    // while the windows go on.
    if (fNeedleAngle != fPrevNeedleAngle)
        repaint();
    if (bAlarm)
        playTone(alarmFrequency(shown.reading, fHiLimit, fLowLimit), kToneMs);
}

} // namespace orvel
