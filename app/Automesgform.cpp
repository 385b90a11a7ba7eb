#include "app/Automesgform.h"

#include "platform/WindowPlacement.h"
#include "resources/Strings.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace orvel {

TAutoMsgForm *AutoMsgForm = nullptr;

namespace {
constexpr int kContinue = 2005; // "&Continue"

constexpr QSize kClient{379, 159};
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kTextLeft = kMargin + kIconSize + 12;
constexpr int kLineTop = 10;
constexpr int kBarTop = 88;
constexpr int kBarHeight = 16;
constexpr int kButtonsTop = 116;
constexpr int kButtonsHeight = 32;

int resultCode(PromptButton button)
{
    return static_cast<int>(button);
}
} // namespace

TAutoMsgForm::TAutoMsgForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setFixedSize(kClient);

    Image1 = new QLabel(this);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(kIconSize));
    Image1->setGeometry(kMargin, kLineTop, kIconSize, kIconSize);

    // The lines stack from the top and wrap where a long one would not fit the
    // window's fixed width.
    auto *text = new QWidget(this);
    text->setGeometry(kTextLeft, kLineTop, kClient.width() - kTextLeft - kMargin, kBarTop - kLineTop - 4);
    auto *stack = new QVBoxLayout(text);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(2);
    QLabel **lines[] = {&lbMsg1, &lbMsg2, &lbMsg3};
    for (QLabel **line : lines) {
        *line = new QLabel(text);
        (*line)->setTextFormat(Qt::PlainText);
        (*line)->setWordWrap(true);
        stack->addWidget(*line);
    }
    stack->addStretch();

    ProgressBar = new QProgressBar(this);
    ProgressBar->setRange(0, kAutoCloseSteps);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setGeometry(kMargin, kBarTop, kClient.width() - 2 * kMargin, kBarHeight);

    auto *buttons = new QDialogButtonBox(this);
    buttons->setCenterButtons(true);
    buttons->setGeometry(kMargin, kButtonsTop, kClient.width() - 2 * kMargin, kButtonsHeight);
    bbtnAbort = buttons->addButton(QDialogButtonBox::Abort);
    bbtnYes = buttons->addButton(LoadStr(kContinue), QDialogButtonBox::AcceptRole);
    bbtnYes->setDefault(true);
    connect(bbtnAbort, &QPushButton::clicked, this, [this] { done(resultCode(PromptButton::Abort)); });
    connect(bbtnYes, &QPushButton::clicked, this, [this] { done(resultCode(PromptButton::Retry)); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(kAutoCloseTickMs);
    connect(Timer1, &QTimer::timeout, this, &TAutoMsgForm::Timer1Timer);
    // However the window ends, its countdown ends with it.
    connect(this, &QDialog::finished, Timer1, &QTimer::stop);

    centreOnScreen(this);
}

PromptButton TAutoMsgForm::ShowWarning(const QString &caption, const QString &line1, const QString &line2,
                                       const QString &line3)
{
    setWindowTitle(caption);
    lbMsg1->setText(line1);
    lbMsg2->setText(line2);
    lbMsg3->setText(line3);
    switch (static_cast<PromptButton>(exec())) {
    case PromptButton::Abort: return PromptButton::Abort;
    case PromptButton::Yes: return PromptButton::Yes;
    default: return PromptButton::Retry; // "&Continue", or the window was closed some other way
    }
}

void TAutoMsgForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TAutoMsgForm::closeEvent(QCloseEvent *event)
{
    Timer1->stop();
    QDialog::closeEvent(event); // ends the showing through reject(), that is with Retry
}

void TAutoMsgForm::reject()
{
    done(resultCode(PromptButton::Retry));
}

void TAutoMsgForm::FormShow()
{
    ProgressBar->setValue(0);
    Timer1->start();
}

void TAutoMsgForm::Timer1Timer()
{
    if (!isVisible()) { // a tick left over from a showing that has ended
        Timer1->stop();
        return;
    }
    ProgressBar->setValue(ProgressBar->value() + 1);
    if (ProgressBar->value() >= ProgressBar->maximum()) {
        Timer1->stop();
        done(resultCode(PromptButton::Yes));
    }
}

} // namespace orvel
