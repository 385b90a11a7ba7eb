// The program follows the user's desktop: its language (the windows, Qt's
// buttons, counts in messages) and its palette, light or dark, under which
// every text of every window, dialog and message box keeps WCAG's contrast.

#include "app/Mesgform.h"
#include "meter/PanelText.h"
#include "platform/QtUserPrompt.h"
#include "resources/Translations.h"
#include "tests/support/WindowsRun.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

using namespace orvel;

namespace {

const QPalette kDark(QColor(0x35, 0x35, 0x35)); // white text, black fields
constexpr double kLeastContrast = 4.5;          // WCAG's for text

// The colour behind `w`: its own face for a push button, a field, a list or a
// menu, else that of the nearest widget that fills its background.
QColor backgroundOf(const QWidget *w)
{
    auto ownFace = [w] {
        return w->inherits("QPushButton") || w->inherits("QLineEdit") || w->inherits("QComboBox") ||
               w->inherits("QAbstractItemView") || w->inherits("QMenu");
    };
    while (!ownFace() && !w->autoFillBackground() && !w->isWindow())
        w = w->parentWidget();
    return w->palette().color(QPalette::Active, w->backgroundRole());
}

// A label's, button's or field's text, a group box's or menu's title, a list's choice.
QString shownText(const QWidget *w)
{
    for (const char *name : {"text", "title", "currentText"})
        if (const QString text = w->property(name).toString(); !text.isEmpty())
            return text;
    return {};
}

// A line for each shown text below 4.5:1. A text in a colour of the program's
// own (a caption, a limit, a panel) keeps that colour on a light background,
// as it always had, and must reach 4.5:1 on a dark one like any other text.
QStringList dimTexts(QWidget *window)
{
    QStringList dim;
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets << window) {
        const QString text = shownText(w);
        if (text.isEmpty() || !w->isEnabled() || !(qobject_cast<QMenu *>(w) || w->isVisibleTo(window)))
            continue;
        const QColor fg = w->palette().color(QPalette::Active, w->foregroundRole()), bg = backgroundOf(w);
        const QColor asked = w->property("textColour").value<QColor>(); // setTextColour's
        const bool ownOnLight = w->palette().isBrushSet(QPalette::Active, w->foregroundRole()) &&
                                contrastRatio(bg, Qt::black) >= contrastRatio(bg, Qt::white);
        if ((ownOnLight && (!asked.isValid() || fg == asked)) || contrastRatio(fg, bg) >= kLeastContrast)
            continue;
        dim << QStringLiteral("%1 '%2' %3 on %4: %5")
                   .arg(QString::fromLatin1(window->metaObject()->className()), text, fg.name(), bg.name())
                   .arg(contrastRatio(fg, bg), 0, 'f', 2);
    }
    return dim;
}

// Menu items of one menu that share an accelerator: Alt and the letter then
// only moves between them instead of choosing one.
QStringList sharedAccelerators(QMenuBar *bar)
{
    QStringList shared;
    static const QRegularExpression accelerator(QStringLiteral("(?<!&)&([^&])"));
    for (QAction *menu : bar->actions()) {
        if (!menu->menu())
            continue;
        QHash<QChar, QString> taken;
        for (QAction *item : menu->menu()->actions()) {
            const QRegularExpressionMatch m = accelerator.match(item->text());
            if (!m.hasMatch())
                continue;
            const QChar key = m.captured(1).at(0).toLower();
            if (taken.contains(key))
                shared << taken[key] + QStringLiteral(" / ") + item->text();
            taken.insert(key, item->text());
        }
    }
    return shared;
}

std::unique_ptr<QMessageBox> yesNoBox()
{
    MessageRequest request;
    request.text = QStringLiteral("text");
    request.buttons = {PromptButton::Yes, PromptButton::No};
    return messageBoxFor(request);
}

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void windowsSpeakTheUsersLanguage_data()
    {
        QTest::addColumn<QLocale>("locale");
        // Installed, the File menu, accelerators that two items of a menu share
        // (English has always shared two), Qt's Yes, 1234 in a message.
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Austria)
                                << QStringList{"de_DE", "&Datei", "", "&Ja", "1.234"};
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                                 << QStringList{"en", "&File", "E&xport ... / E&xit\nPage &Up / &Undo Zooming", "&Yes", "1,234"};
        QTest::newRow("French, not translated")
            << QLocale(QLocale::French) << QStringList{"", "&File", "E&xport ... / E&xit\nPage &Up / &Undo Zooming", "&Yes", "1,234"};
    }

    void windowsSpeakTheUsersLanguage()
    {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, expected);
        QStringList seen{installTranslations(*qApp, locale, {QStringLiteral(ORVEL_TRANSLATIONS_DIR)})};
        {
            test::WindowsRun run;
            seen << GraphicalForm->menuBar()->actions().first()->text();
            seen << (sharedAccelerators(FormMain->menuBar()) + sharedAccelerators(GraphicalForm->menuBar()))
                        .join(QLatin1Char('\n'));
        }
        seen << yesNoBox()->button(QMessageBox::Yes)->text() << textLocale().toString(1234);
        qDeleteAll(qApp->findChildren<QTranslator *>()); // each removes itself
        QCOMPARE(seen, expected);
    }

    void everyTextReads_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::palette();
        QTest::newRow("dark") << kDark;
    }

    // The palette comes after the windows are made, as when the desktop turns
    // dark while the program runs: each window must follow.
    void everyTextReads()
    {
        QFETCH(QPalette, palette);
        const QPalette before = QApplication::palette();
        QStringList dim;
        {
            test::WindowsRun run;
            QApplication::setPalette(palette);
            QCoreApplication::processEvents(); // the windows hear of it through posted events
            for (const QColor colour : {QColor(Qt::red), QColor(Qt::blue)}) { // the recorder's progress messages
                MsgForm->setMessage(QStringLiteral("message"), colour);
                dim << dimTexts(MsgForm);
            }
            for (QWidget *window : run.windows->windows())
                dim << dimTexts(window);
            dim << dimTexts(yesNoBox().get());
        }
        QApplication::setPalette(before);
        dim.removeDuplicates();
        QVERIFY2(dim.isEmpty(), qPrintable(dim.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_Desktop.moc"
