#include "app/Dlgrsport.h"

#include "meter/MeterProbe.h"
#include "meter/PanelText.h"
#include "meter/ProgramState.h"
#include "platform/PortNames.h"
#include "platform/WindowPlacement.h"
#include "resources/Icons.h"
#include "resources/Strings.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>
#include <QThread>

namespace orvel {

TDlgRsPortForm *DlgRsPortForm = nullptr;

namespace {
constexpr int kCaption = 2000;  // "Serial Port selection"
constexpr int kPortName = 2012; // "COM%d"
constexpr int kPlugIcon = 6;    // the serial plug

constexpr QSize kClient{326, 252};
constexpr int kMargin = 8;
constexpr QRect kPortPanel{104, kMargin, 214, 184};
constexpr int kPictureSize = 80;
constexpr int kColumnWidth = 100;
constexpr int kRowHeight = 43;
constexpr int kRadioHeight = 20;
constexpr int kDeviceHeight = 16;
constexpr int kBevelTop = 202;
constexpr int kButtonsTop = 212;
constexpr int kButtonsHeight = 32;
constexpr int kNoteGap = 6;
} // namespace

TDlgRsPortForm::TDlgRsPortForm(const ProgramState &state, QWidget *parent)
    : QDialog(parent, kFixedDialogFlags)
    , State(state)
{
    setWindowTitle(LoadStr(kCaption));
    setFixedSize(kClient);

    auto *picture = new QLabel(this);
    picture->setPixmap(programIconPixmap(kPlugIcon, kPictureSize));
    picture->setGeometry((kPortPanel.left() - kPictureSize) / 2, kPortPanel.center().y() - kPictureSize / 2,
                         kPictureSize, kPictureSize);

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(kPortPanel);

    // The device path sits under the port's name, aligned with its text, in a
    // smaller grey face: it explains the name, it is not a choice of its own.
    const int indent = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                       style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    QFont deviceFont = font();
    deviceFont.setPointSizeF(deviceFont.pointSizeF() * 0.85);

    auto *group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int i = 0; i < kProbedPorts; ++i) {
        const int x = 10 + (i % 2) * kColumnWidth; // odd ports left, even ports right
        const int y = 10 + (i / 2) * kRowHeight;
        rbtnCom[i] = new QRadioButton(LoadStrFmt(kPortName, i + 1), panel);
        rbtnCom[i]->setGeometry(x, y, kColumnWidth - 4, kRadioHeight);
        group->addButton(rbtnCom[i], i + 1);

        lblDevice[i] = new QLabel(panel);
        lblDevice[i]->setTextFormat(Qt::PlainText);
        lblDevice[i]->setFont(deviceFont);
        setTextColour(lblDevice[i], Qt::darkGray);
        lblDevice[i]->setGeometry(x + indent, y + kRadioHeight, kColumnWidth - indent - 4, kDeviceHeight);
    }

    // A port the user may not open says why, under the ports, in full: the
    // remedy does not fit beside a port.
    lblAccess = new QLabel(this);
    lblAccess->setTextFormat(Qt::PlainText);
    lblAccess->setWordWrap(true);
    setTextColour(lblAccess, Qt::darkRed);
    lblAccess->hide();
    lblMeters = new QLabel(this);
    lblMeters->setTextFormat(Qt::PlainText);
    lblMeters->setWordWrap(true);
    lblMeters->hide();

    bevel_ = new QFrame(this);
    bevel_->setFrameShape(QFrame::HLine);
    bevel_->setFrameShadow(QFrame::Sunken);
    bevel_->setGeometry(kMargin, kBevelTop, kClient.width() - 2 * kMargin, 2);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->setGeometry(kMargin, kButtonsTop, kClient.width() - 2 * kMargin, kButtonsHeight);
    bbtnOk = buttons_->button(QDialogButtonBox::Ok);
    bbtnCancel = buttons_->button(QDialogButtonBox::Cancel);
    bbtnOk->setDefault(true);
    connect(bbtnOk, &QPushButton::clicked, this, &TDlgRsPortForm::bbtnOkClick);
    connect(bbtnCancel, &QPushButton::clicked, this, &TDlgRsPortForm::reject);

    centreOnScreen(this);
}

TDlgRsPortForm::~TDlgRsPortForm()
{
    waitForListening();
}

void TDlgRsPortForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TDlgRsPortForm::FormShow()
{
    const QString advice = LoadStr(str::AccessDenied);
    QStringList denied;
    for (int i = 0; i < kProbedPorts; ++i) {
        rbtnCom[i]->setEnabled(State.PortPresent[i]);
        // Read on every showing: the user may have re-routed a port since start-up.
        const QString &path = sPaths[std::size_t(i)] = devicePathForPort(i + 1);
        QLabel *label = lblDevice[i];
        label->setText(QFontMetrics(label->font()).elidedText(path, Qt::ElideMiddle, label->width()));
        setTextColour(label, State.PortDenied[i] ? Qt::darkRed : Qt::darkGray);
        label->setToolTip(State.PortDenied[i] ? path + QLatin1Char('\n') + advice : path);
        if (State.PortDenied[i])
            denied << rbtnCom[i]->text();
    }
    lblAccess->setText(denied.isEmpty() ? QString() : denied.join(QLatin1String(", ")) + QLatin1String(": ") + advice);
    if (iPortNo >= 1 && iPortNo <= kProbedPorts)
        rbtnCom[iPortNo - 1]->setChecked(true);
    startListening();
}

void TDlgRsPortForm::startListening()
{
    waitForListening(); // a showing before this one may still listen
    sHeard.fill(QString());
    lblMeters->clear();
    placeNotes();
    if (iListenMs <= 0)
        return;
    for (int i = 0; i < kProbedPorts; ++i) {
        if (!State.PortPresent[i] || State.PortDenied[i])
            continue;
        const QString path = sPaths[std::size_t(i)];
        const int generation = iGeneration;
        const int timeout = iListenMs;
        ++iListening;
        // The device is only read, never written, and closed again before the
        // dialog ends (done() waits for it), so the main window can open it after.
        listeners_.emplace_back(QThread::create([this, path, generation, i, timeout] {
            const QString text = heardText(listenForMeter(path, timeout));
            QMetaObject::invokeMethod(
                this, [this, generation, i, text] { showHeard(generation, i, text); }, Qt::QueuedConnection);
        }));
        listeners_.back()->start();
    }
}

void TDlgRsPortForm::showHeard(int generation, int port, const QString &text)
{
    if (generation != iGeneration)
        return; // from a showing that is over
    --iListening;
    sHeard[std::size_t(port)] = text;
    QLabel *label = lblDevice[std::size_t(port)];
    label->setToolTip(sPaths[std::size_t(port)] + QLatin1Char('\n') + text);
    // The ports a meter talks on are listed under the ports, the device lines stay as they are.
    QStringList heard;
    for (int i = 0; i < kProbedPorts; ++i)
        if (!sHeard[std::size_t(i)].isEmpty() && sHeard[std::size_t(i)] != heardText(std::nullopt))
            heard << rbtnCom[std::size_t(i)]->text() + QStringLiteral(" — ") + sHeard[std::size_t(i)];
    lblMeters->setText(heard.join(QLatin1Char('\n')));
    placeNotes();
}

void TDlgRsPortForm::waitForListening()
{
    for (const auto &thread : listeners_)
        thread->wait();
    listeners_.clear();
    // Reports still on their way belong to a showing that is over.
    ++iGeneration;
    iListening = 0;
}

void TDlgRsPortForm::done(int result)
{
    waitForListening();
    QDialog::done(result);
}

void TDlgRsPortForm::placeNotes()
{
    const int width = kClient.width() - 2 * kMargin;
    int extra = 0;
    for (QLabel *note : {lblAccess, lblMeters}) {
        const bool shown = !note->text().isEmpty();
        if (shown) {
            const int height = note->heightForWidth(width);
            note->setGeometry(kMargin, kPortPanel.bottom() + 1 + kNoteGap + extra, width, height);
            extra += kNoteGap + height;
        }
        note->setVisible(shown);
    }
    bevel_->move(kMargin, kBevelTop + extra);
    buttons_->move(kMargin, kButtonsTop + extra);
    setFixedSize(kClient + QSize(0, extra));
}

void TDlgRsPortForm::bbtnOkClick()
{
    for (int i = 0; i < kProbedPorts; ++i) {
        if (rbtnCom[i]->isChecked()) {
            iPortNo = i + 1;
            break;
        }
    }
    accept();
}

} // namespace orvel
