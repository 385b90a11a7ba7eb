#include "app/Mesgform.h"

#include "base/Messageshow.h"
#include "meter/PanelText.h"
#include "platform/WindowPlacement.h"
#include "resources/Strings.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace orvel {

TMsgForm *MsgForm = nullptr;

namespace {
constexpr int kAbortQuestion = 8014; // "Do you really want to abort import data ?"

constexpr QSize kClient{466, 148};
constexpr int kMargin = 10;
constexpr int kInnerWidth = kClient.width() - 2 * kMargin;
constexpr QRect kMsgPanel{kMargin, 8, kInnerWidth, 40};
constexpr QRect kLabel1{kMargin, 54, kInnerWidth, 20};
constexpr QRect kProgressBar{kMargin, 78, kInnerWidth, 18};
constexpr QRect kButtons{kMargin, 104, kInnerWidth, 34};
} // namespace

TMsgForm::TMsgForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(kClient);

    // Without a window frame the window draws its own raised edge.
    auto *edge = new QFrame(this);
    edge->setFrameStyle(QFrame::Panel | QFrame::Raised);
    edge->setLineWidth(2);
    edge->setGeometry(QRect(QPoint(0, 0), kClient));

    MsgPanel = new QLabel(this);
    MsgPanel->setTextFormat(Qt::PlainText);
    MsgPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    MsgPanel->setAlignment(Qt::AlignCenter);
    QFont serif = MsgPanel->font();
    serif.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("DejaVu Serif"), QStringLiteral("serif")});
    serif.setStyleHint(QFont::Serif);
    serif.setPointSize(16);
    serif.setBold(true);
    MsgPanel->setFont(serif);
    MsgPanel->setGeometry(kMsgPanel);

    Label1 = new QLabel(this);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(kLabel1);

    ProgressBar = new QProgressBar(this);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setGeometry(kProgressBar);

    auto *buttons = new QDialogButtonBox(this);
    buttons->setCenterButtons(true);
    buttons->setGeometry(kButtons);
    bbtnAbort = buttons->addButton(QDialogButtonBox::Abort);
    connect(bbtnAbort, &QPushButton::clicked, this, &TMsgForm::bbtnAbortClick);

    centreOnScreen(this);
}

void TMsgForm::bbtnAbortClick()
{
    const PromptButton answer =
        MessageShow(this, str::WarningCaption, kAbortQuestion, {PromptButton::Yes, PromptButton::No},
                    PromptIcon::Question, PromptButton::No);
    // The loader stops on its own before its next block.
    if (answer == PromptButton::Yes) {
        if (onAbort_)
            onAbort_();
        emit abortConfirmed();
    }
}

void TMsgForm::begin(const QString &message, const QColor &colour, int steps, std::function<void()> onAbort)
{
    onAbort_ = std::move(onAbort);
    setMessage(message, colour);
    ProgressBar->setRange(0, steps);
    bbtnAbort->setEnabled(true);
    show();
}

void TMsgForm::advance(int step, const QString &line)
{
    ProgressBar->setValue(step);
    Label1->setText(line);
}

void TMsgForm::setAbortEnabled(bool enabled)
{
    bbtnAbort->setEnabled(enabled);
}

void TMsgForm::end()
{
    onAbort_ = nullptr;
    bbtnAbort->setEnabled(true);
    hide();
}

void TMsgForm::setMessage(const QString &text, const QColor &colour)
{
    setTextColour(MsgPanel, colour);
    MsgPanel->setText(text);
}

void TMsgForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (bbtnAbort->isEnabled())
            bbtnAbortClick();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMsgForm::closeEvent(QCloseEvent *event)
{
    // The loader closes the window itself when it is done; only a close that
    // comes from the user (Alt+F4 and the like) is turned into the question.
    if (event->spontaneous() && isVisible()) {
        event->ignore();
        if (bbtnAbort->isEnabled())
            bbtnAbortClick();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace orvel
