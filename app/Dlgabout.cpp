#include "app/Dlgabout.h"

#include "platform/OsVersion.h"
#include "platform/WindowPlacement.h"
#include "resources/Icons.h"
#include "resources/Strings.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace orvel {

TDlgAboutForm *DlgAboutForm = nullptr;

namespace {
constexpr int kCaption = 2001; // "About"

constexpr QSize kClient{335, 226};
constexpr int kMargin = 8;
constexpr QRect kPanel{kMargin, kMargin, kClient.width() - 2 * kMargin, 170};
constexpr QRect kMemo{64, 10, 245, 150}; // inside the panel
constexpr int kIconSize = 32;
constexpr int kButtonsTop = 186;
constexpr int kButtonsHeight = 32;
} // namespace

TDlgAboutForm::TDlgAboutForm(QWidget *parent)
    : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(LoadStr(kCaption));
    setFixedSize(kClient);
    centreOnScreen(this);

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(kPanel);

    Memo1 = new QPlainTextEdit(panel);
    Memo1->setGeometry(kMemo);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette grey = Memo1->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Window));
    Memo1->setPalette(grey);

    // The icon stands centred in the room left of the memo.
    Image1 = new QLabel(panel);
    Image1->setPixmap(programIconPixmap(kApplicationIcon, kIconSize));
    Image1->setGeometry((Memo1->x() - kIconSize) / 2, panel->height() / 2 - kIconSize / 2, kIconSize, kIconSize);

    const QStringList lines{LoadStr(str::SeriesName), LoadStr(str::AppTitle), LoadStr(str::Version),
                            LoadStr(str::VersionDate), systemLine(osVersion())};
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    Memo1->setReadOnly(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setCenterButtons(true);
    buttons->setGeometry(kMargin, kButtonsTop, kClient.width() - 2 * kMargin, kButtonsHeight);
    BitBtn1 = buttons->button(QDialogButtonBox::Ok);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TDlgAboutForm::accept);
}

} // namespace orvel
