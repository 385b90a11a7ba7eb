#include "views/Dlghilow.h"

#include "base/FloatText.h"
#include "base/Messageshow.h"
#include "meter/Getunitfuncstr.h"
#include "meter/Needle.h"
#include "meter/PanelText.h"
#include "platform/WindowPlacement.h"
#include "resources/Strings.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace orvel {

TDlgHiLowForm *DlgHiLowForm = nullptr;

namespace {
constexpr int kCaption = 2002; // "Comparator Hi-Low limit setting"
constexpr int kUpper = 2003;   // "Upper-Limit : "
constexpr int kLower = 2004;   // "Lower-Limit : "
constexpr int kNotAFloat = 9007;
constexpr int kLimitsWrong = 9008;
} // namespace

TDlgHiLowForm::TDlgHiLowForm(QWidget *parent)
    : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(LoadStr(kCaption));
    auto *grid = new QGridLayout(this);
    mkeHiLimit = new QLineEdit(this);
    mkeLowLimit = new QLineEdit(this);
    stxtHiUnit = new QLabel(this);
    stxtHiFunc = new QLabel(this);
    stxtLowUnit = new QLabel(this);
    stxtLowFunc = new QLabel(this);
    grid->addWidget(colouredCaption(this, LoadStr(kUpper), Qt::blue), 0, 0);
    grid->addWidget(mkeHiLimit, 0, 1);
    grid->addWidget(stxtHiUnit, 0, 2);
    grid->addWidget(stxtHiFunc, 0, 3);
    grid->addWidget(colouredCaption(this, LoadStr(kLower), Qt::red), 1, 0);
    grid->addWidget(mkeLowLimit, 1, 1);
    grid->addWidget(stxtLowUnit, 1, 2);
    grid->addWidget(stxtLowFunc, 1, 3);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    bbtnOk = buttons->button(QDialogButtonBox::Ok);
    bbtnCancel = buttons->button(QDialogButtonBox::Cancel);
    grid->addWidget(buttons, 2, 0, 1, 4);
    setFixedSize(sizeHint().expandedTo(QSize(300, 120)));
    centreOnScreen(this);

    // The entries are taken when OK is pressed: a half-typed "-" or "1E" is not
    // yet a mistake worth a message box.
    connect(bbtnOk, &QPushButton::clicked, this, &TDlgHiLowForm::bbtnOkClick);
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TDlgHiLowForm::showEvent(QShowEvent *event)
{
    FormPaint();
    bbtnOk->setFocus();
    QDialog::showEvent(event);
}

void TDlgHiLowForm::FormPaint()
{
    mkeHiLimit->setText(floatToText(fHiLimit));
    mkeLowLimit->setText(floatToText(fLowLimit));
    const LabelStyle style = labelStyleFor(iFunction);
    for (QLabel *prefix : {stxtHiUnit, stxtLowUnit})
        showLabel(prefix, szPrefix, style.prefixFace, style.prefixAlign);
    for (QLabel *unit : {stxtHiFunc, stxtLowFunc})
        showLabel(unit, szUnit, style.unitFace, style.unitAlign);
}

bool TDlgHiLowForm::takeEntry(QLineEdit *entry, double &limit)
{
    const QString text = entry->text();
    if (text.trimmed().isEmpty()) {
        entry->setText(floatToText(limit)); // an empty entry keeps the stored limit
        return true;
    }
    // The comparator judges in single precision: a limit it cannot hold there
    // (1E39, or 1E-40 that would be a denormal) is no limit at all.
    if (const auto value = textToFloat(text); value && singleCanHold(*value)) {
        limit = *value;
        return true;
    }
    ShowCodedMessage(this, str::ErrorCaption, kNotAFloat);
    return false;
}

bool TDlgHiLowForm::mkeHiLimitChange()
{
    return takeEntry(mkeHiLimit, fHiLimit);
}

bool TDlgHiLowForm::mkeLowLimitChange()
{
    return takeEntry(mkeLowLimit, fLowLimit);
}

void TDlgHiLowForm::bbtnOkClick()
{
    if (!mkeHiLimitChange() || !mkeLowLimitChange())
        return;
    if (fHiLimit > fLowLimit) {
        accept();
        return;
    }
    ShowCodedMessage(this, str::ErrorCaption, kLimitsWrong);
}

} // namespace orvel
