// The program in the user's language: the translations installed as at
// start-up, the windows' texts, Qt's own buttons and the counts in messages.

#include "platform/QtUserPrompt.h"
#include "resources/Translations.h"
#include "tests/support/WindowsRun.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTranslator>

using namespace orvel;

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void windowsSpeakTheUsersLanguage_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("fileMenu");
        QTest::addColumn<QString>("yes");
        QTest::addColumn<QString>("count");
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Austria) << "de_DE"
                                << "&Datei"
                                << "&Ja"
                                << "1.234";
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "en"
                                 << "&File"
                                 << "&Yes"
                                 << "1,234";
        // No translation of ours: English throughout, Qt's buttons too.
        QTest::newRow("French") << QLocale(QLocale::French) << ""
                                << "&File"
                                << "&Yes"
                                << "1,234";
    }

    void windowsSpeakTheUsersLanguage()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, installed);
        QFETCH(QString, fileMenu);
        QFETCH(QString, yes);
        QFETCH(QString, count);
        QCOMPARE(installTranslations(*qApp, locale, {QStringLiteral(ORVEL_TRANSLATIONS_DIR)}), installed);
        {
            test::WindowsRun run;
            QCOMPARE(GraphicalForm->menuBar()->actions().first()->text(), fileMenu);
        }
        MessageRequest request;
        request.buttons = {PromptButton::Yes, PromptButton::No};
        QCOMPARE(messageBoxFor(request)->button(QMessageBox::Yes)->text(), yes);
        QCOMPARE(textLocale().toString(1234), count);
        qDeleteAll(qApp->findChildren<QTranslator *>()); // a translator removes itself as it goes
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_Language.moc"
