// Every window, dialog and message box reads well under the desktop's palette,
// a light one as ever and a dark one as a dark desktop theme hands to Qt: each
// text that shows (labels, buttons, group boxes, menus, fields) keeps a contrast
// to what it is drawn on, computed from the colours it is painted with.

#include "app/Mesgform.h"
#include "meter/PanelText.h"
#include "platform/QtUserPrompt.h"
#include "tests/support/WindowsRun.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace orvel;

namespace {

// WCAG's least contrast for text. A text in a colour of the program's own (the
// recorder's red and fuchsia captions, the limits' blue and red) keeps that
// colour on a light background, as it always had, and must reach this on a dark one.
constexpr double kLeastContrast = 4.5;

bool isLight(const QColor &background)
{
    return contrastRatio(background, Qt::black) >= contrastRatio(background, Qt::white);
}

QPalette darkPalette()
{
    QPalette p;
    const QColor window(0x35, 0x35, 0x35), base(0x2a, 0x2a, 0x2a), text(0xee, 0xee, 0xee), off(0x7f, 0x7f, 0x7f);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Light, window.lighter(150));
    p.setColor(QPalette::Midlight, window.lighter(125));
    p.setColor(QPalette::Mid, window.darker(150));
    p.setColor(QPalette::Dark, window.darker(200));
    p.setColor(QPalette::Shadow, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, off);
    return p;
}

// Controls that paint their own face (a button's bevel, a field's base); any
// other widget shows the background of the nearest one that fills its own.
bool paintsOwnFace(const QWidget *w)
{
    if (auto *tool = qobject_cast<const QToolButton *>(w))
        return !tool->autoRaise();
    return qobject_cast<const QPushButton *>(w) || qobject_cast<const QLineEdit *>(w) ||
           qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w) ||
           qobject_cast<const QAbstractItemView *>(w) || qobject_cast<const QMenu *>(w);
}

QColor backgroundOf(const QWidget *w)
{
    const QWidget *filled = w;
    while (!paintsOwnFace(filled) && !filled->autoFillBackground() && !filled->isWindow() && filled->parentWidget())
        filled = filled->parentWidget();
    return filled->palette().color(QPalette::Active, filled->backgroundRole());
}

QString shownText(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text();
    if (auto *box = qobject_cast<const QGroupBox *>(w))
        return box->title();
    if (auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentText();
    if (auto *menu = qobject_cast<const QMenu *>(w))
        return menu->title();
    if (auto *bar = qobject_cast<const QMenuBar *>(w))
        return bar->actions().isEmpty() ? QString() : bar->actions().first()->text();
    return {};
}

// "window/widget 'text' 1.9 (#ff0000 on #353535)" for each text below kLeastContrast.
QStringList dimTexts(QWidget *window)
{
    QStringList dim;
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *w : widgets) {
        const QString text = shownText(w);
        // Hidden and disabled texts are not read (a menu is read when it opens).
        const bool shows = qobject_cast<QMenu *>(w) || w == window || w->isVisibleTo(w->window());
        if (text.isEmpty() || !shows || !w->isEnabled())
            continue;
        const QColor fg = w->palette().color(QPalette::Active, w->foregroundRole());
        const QColor bg = backgroundOf(w);
        const double ratio = contrastRatio(fg, bg);
        const QColor asked = w->property("textColour").value<QColor>(); // setTextColour's
        if (w->palette().isBrushSet(QPalette::Active, w->foregroundRole()) && isLight(bg)) {
            if (asked.isValid() && fg != asked)
                dim << QStringLiteral("%1 '%2' is %3 instead of %4")
                           .arg(w->objectName(), text, fg.name(), asked.name());
        } else if (ratio < kLeastContrast) {
            dim << QStringLiteral("%1/%2 %3 '%4' %5 (%6 on %7)")
                       .arg(QString::fromLatin1(window->metaObject()->className()), w->objectName(),
                            QString::fromLatin1(w->metaObject()->className()), text.left(30))
                       .arg(ratio, 0, 'f', 2)
                       .arg(fg.name(), bg.name());
        }
    }
    return dim;
}

} // namespace

class TestContrast : public QObject
{
    Q_OBJECT

private slots:
    void everyTextReads_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::palette();
        QTest::newRow("dark") << darkPalette();
    }

    void everyTextReads()
    {
        QFETCH(QPalette, palette);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(palette);
        QStringList dim;
        {
            test::WindowsRun run;
            // The progress window's messages in the colours the recorder gives them.
            for (const QColor colour : {QColor(Qt::red), QColor(Qt::blue)}) {
                MsgForm->setMessage(QStringLiteral("message"), colour);
                dim << dimTexts(MsgForm);
            }
            for (QWidget *window : run.windows->windows())
                dim << dimTexts(window);
            MessageRequest request;
            request.caption = QStringLiteral("caption");
            request.text = QStringLiteral("text");
            request.buttons = {PromptButton::Yes, PromptButton::No, PromptButton::Cancel};
            dim << dimTexts(messageBoxFor(request).get());
        }
        QApplication::setPalette(before);
        dim.removeDuplicates();
        QVERIFY2(dim.isEmpty(), qPrintable(dim.join(QLatin1Char('\n'))));
    }

    // A palette that changes while the program runs gives the captions their shade again.
    void captionsFollowAPaletteChange()
    {
        QWidget window;
        QLabel *caption = colouredCaption(&window, QStringLiteral("Max."), kRed);
        QCOMPARE(caption->palette().color(QPalette::WindowText), kRed);
        window.setPalette(darkPalette());
        QVERIFY(contrastRatio(caption->palette().color(QPalette::WindowText), darkPalette().color(QPalette::Window)) >=
                kReadableContrast);
        window.setPalette(QPalette(Qt::white));
        QCOMPARE(caption->palette().color(QPalette::WindowText), kRed);
    }
};

QTEST_MAIN(TestContrast)
#include "tst_Contrast.moc"
