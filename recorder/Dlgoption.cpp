#include "recorder/Dlgoption.h"

#include "base/Messageshow.h"
#include "platform/UserPrompt.h"
#include "platform/WindowPlacement.h"
#include "recorder/IntervalText.h"
#include "resources/Icons.h"
#include "resources/Strings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

namespace orvel {

TDialogOption *DialogOption = nullptr;

namespace {
constexpr int kCaption = 106;      // "Acquisition Interval option"
constexpr int kMode = 200;         // "Acquisition Mode"
constexpr int kManual = 201;       // "Manual"
constexpr int kAutomatic = 202;    // "Automatic"
constexpr int kFullSpeed = 203;    // "Full Speed"
constexpr int kCustomised = 204;   // "Customization..."
constexpr int kInputCaption = 205; // "Interval in second(s)"
constexpr int kInputPrompt = 206;  // "Input an integer value ? "
constexpr int kNotANumber = 9007;  // "Not a valid floating point value !"
constexpr int kFullSpeedItem = 0;
constexpr int kCustomisedItem = 1;
constexpr int kIcon = 1;
constexpr int kIconSize = 32;
constexpr QRect kGroup(85, 13, 260, 118);
} // namespace

TDialogOption::TDialogOption(QWidget *parent)
    : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(LoadStr(kCaption));
    setFixedSize(385, 249);
    centreOnScreen(this);

    rgIntervalMode = new QGroupBox(LoadStr(kMode), this);
    rgIntervalMode->setGeometry(kGroup);
    // The radio buttons lie on the frame but belong to the form, like the rest.
    rbtnManual = new QRadioButton(LoadStr(kManual), this);
    rbtnManual->adjustSize();
    rbtnManual->move(130, 46);
    rbtnAutomatic = new QRadioButton(LoadStr(kAutomatic), this);
    rbtnAutomatic->adjustSize();
    rbtnAutomatic->move(130, 81);

    cbxInterval = new QComboBox(this);
    cbxInterval->setEditable(false);
    cbxInterval->addItem(LoadStr(kFullSpeed));
    cbxInterval->addItem(LoadStr(kCustomised));
    const QRect automatic = rbtnAutomatic->geometry();
    cbxInterval->setGeometry(automatic.x() + automatic.width() + 5, automatic.y(),
                             fontMetrics().horizontalAdvance(LoadStr(kCustomised)) + 35,
                             cbxInterval->sizeHint().height());
    cbxInterval->setCurrentIndex(kCustomisedItem);
    // Longer words (another language) widen the group and the dialog to hold the list.
    if (const int spill = cbxInterval->geometry().right() + 20 - width(); spill > 0) {
        setFixedSize(width() + spill, height());
        rgIntervalMode->resize(kGroup.width() + spill, kGroup.height());
    }

    Image1 = new QLabel(this);
    Image1->setPixmap(programIconPixmap(kIcon, kIconSize));
    Image1->adjustSize();
    Image1->move(kGroup.x() - 15 - Image1->width(), kGroup.y() + kGroup.height() / 2 - Image1->height() / 2);

    Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(8, 150, width() - 16, 2);

    // Each button stands alone at its own place; a one-button box gives it the
    // platform's text.
    auto standAlone = [this](QDialogButtonBox::StandardButton which, QPoint at) {
        auto *box = new QDialogButtonBox(which, this);
        box->adjustSize();
        box->move(at);
        return box->button(which);
    };
    btnOk = standAlone(QDialogButtonBox::Ok, QPoint(78, 169));
    btnOk->setDefault(true);
    bbtnCancel = standAlone(QDialogButtonBox::Cancel, QPoint(228, 169));

    connect(rbtnManual, &QRadioButton::clicked, this, &TDialogOption::rbtnModeClick);
    connect(rbtnAutomatic, &QRadioButton::clicked, this, &TDialogOption::rbtnModeClick);
    // activated, not currentIndexChanged: only the user's choice asks for a number,
    // never the selection made while the dialog is prepared.
    connect(cbxInterval, &QComboBox::activated, this, &TDialogOption::cbxIntervalChange);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TDialogOption::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TDialogOption::FormShow()
{
    rbtnManual->setChecked(bManualChosen);
    rbtnAutomatic->setChecked(!bManualChosen);
    cbxInterval->setEnabled(!bManualChosen);
    cbxInterval->setCurrentIndex(iIntervalSeconds != 0 ? kCustomisedItem : kFullSpeedItem);
}

void TDialogOption::rbtnModeClick()
{
    bManualChosen = rbtnManual->isChecked();
    cbxInterval->setEnabled(!bManualChosen);
}

void TDialogOption::cbxIntervalChange()
{
    if (cbxInterval->currentIndex() == kCustomisedItem)
        askInterval();
    else if (cbxInterval->currentIndex() == kFullSpeedItem)
        iIntervalSeconds = 0;
}

void TDialogOption::askInterval()
{
    // A refused number is offered again for correction; the user leaves this
    // loop only with a usable interval or with text that is no number at all.
    QString proposed = QString::number(iIntervalSeconds);
    bool refused = false;
    for (;;) {
        const QString typed =
            prompt().inputText(InputRequest{LoadStr(kInputCaption), LoadStr(kInputPrompt), proposed, this});
        const IntervalAnswer answer = parseIntervalSeconds(typed);
        if (answer.kind == IntervalAnswer::Seconds) {
            iIntervalSeconds = answer.seconds;
            return;
        }
        ShowCodedMessage(this, str::ErrorCaption, kNotANumber);
        if (answer.kind == IntervalAnswer::OutOfRange) {
            proposed = typed;
            refused = true;
        } else if (!refused) {
            cbxInterval->setCurrentIndex(iIntervalSeconds != 0 ? kCustomisedItem : kFullSpeedItem);
            return;
        }
    }
}

} // namespace orvel
