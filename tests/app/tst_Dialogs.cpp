// The small windows: the port dialog, the self-closing warning, the progress
// window of a file load and the About box, each created on its own.

#include "app/Automesgform.h"
#include "app/Dlgabout.h"
#include "app/Dlgrsport.h"
#include "app/Globalvar.h"
#include "app/Mesgform.h"
#include "app/Startup.h"
#include "export/Dlgexportunit.h"
#include "meter/ProgramState.h"
#include "platform/OsVersion.h"
#include "recorder/Dlgoption.h"
#include "tests/support/CoreObjects.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/ScriptedPrompt.h"
#include "views/Dlghilow.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSysInfo>
#include <QTest>
#include <QTimer>
#include <QVersionNumber>

#include <array>
#include <cerrno>
#include <functional>

using namespace orvel;
using namespace orvel::test;

namespace {

/// The shared state the port dialog shows, as the start-up probe leaves it.
ProgramState shared;

/// Runs `whileShown` inside the modal showing that `show` starts. A dialog
/// left open (a failed check) is ended with -1: no test waits for a window.
template <typename Show> auto whileShowing(QDialog &dialog, const std::function<void()> &whileShown, Show show)
{
    QTimer::singleShot(0, &dialog, [&] {
        whileShown();
        if (dialog.isVisible())
            dialog.done(-1);
    });
    return show();
}

int execWith(QDialog &dialog, const std::function<void()> &whileShown)
{
    return whileShowing(dialog, whileShown, [&] { return dialog.exec(); });
}

const QString kNoDataCaption = QStringLiteral("Warning[W8004]");
const QString kNoData = QStringLiteral("No data received.");
const QString kRetrying = QStringLiteral("Will re-try automatically in 3 seconds.");

PromptButton warnWith(TAutoMsgForm &form, const std::function<void()> &whileShown)
{
    return whileShowing(form, whileShown, [&] { return form.ShowWarning(kNoDataCaption, kNoData, kRetrying, {}); });
}

void setPresent(const QList<int> &ports)
{
    shared.PortPresent.fill(false);
    for (int n : ports)
        shared.PortPresent[n - 1] = true;
}

// The ports whose button passes `test`, by default the checked ones.
QStringList portsWhere(const TDlgRsPortForm &form, bool (QAbstractButton::*test)() const = &QAbstractButton::isChecked)
{
    QStringList names;
    for (const QRadioButton *b : form.rbtnCom)
        if ((b->*test)())
            names << b->text();
    return names;
}

QString kernelMajorMinor()
{
    const QVersionNumber kernel = QVersionNumber::fromString(QSysInfo::kernelVersion());
    return QStringLiteral("%1.%2").arg(kernel.majorVersion()).arg(kernel.minorVersion());
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init() { shared = ProgramState{}; }
    void cleanup() { shared = ProgramState{}; }

    void fixedSizeDialogsOfferNoMaximiseBox()
    {
        TDlgRsPortForm port(shared);
        TDlgAboutForm about;
        TDlgHiLowForm limits;
        TAutoMsgForm warning;
        TMsgForm progress;
        TDialogOption interval;
        CoreObjects core;
        TDlgExportForm exporting(core.context);
        exporting.layout()->activate();
        for (const QDialog *dialog : std::initializer_list<const QDialog *>{&port, &about, &limits, &warning, &progress,
                                                                            &interval, &exporting}) {
            const char *name = dialog->metaObject()->className();
            const Qt::WindowFlags flags = dialog->windowFlags();
            QVERIFY2(dialog->minimumSize() == dialog->maximumSize(), name);
            QVERIFY2(!(flags & Qt::WindowMaximizeButtonHint), name);
            // Without explicit buttons a window manager gives a window its own set, maximise among them.
            QVERIFY2((flags & Qt::FramelessWindowHint) || (flags & Qt::CustomizeWindowHint), name);
        }
    }

    // ---- port dialog ---------------------------------------------------------

    // Only ports found at start-up can be chosen; the current port is shown
    // checked even when absent, and OK keeps it.
    void okKeepsTheCurrentPort_data()
    {
        QTest::addColumn<QList<int>>("present");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<int>("port");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<int>("absent"); // a port not found, clicked in vain
        QTest::addRow("found") << QList<int>{3} << QStringList{"COM3"} << 3 << QStringList{"COM3"} << 4;
        QTest::addRow("not found") << QList<int>{3} << QStringList{"COM3"} << 6 << QStringList{"COM6"} << 4;
        // Nothing checked yet: OK keeps the working port as it is.
        QTest::addRow("outside") << QList<int>{2, 4} << QStringList{"COM2", "COM4"} << 9 << QStringList{} << 1;
    }

    void okKeepsTheCurrentPort()
    {
        QFETCH(QList<int>, present);
        QFETCH(QStringList, enabled);
        QFETCH(int, port);
        QFETCH(QStringList, checked);
        QFETCH(int, absent);
        setPresent(present);
        TDlgRsPortForm form(shared);
        form.iPortNo = port;
        const int result = execWith(form, [&] {
            QCOMPARE(portsWhere(form, &QWidget::isEnabled), enabled);
            QCOMPARE(portsWhere(form), checked);
            QTest::mouseClick(form.rbtnCom[absent - 1], Qt::LeftButton); // not there: changes nothing
            QCOMPARE(portsWhere(form), checked);
            form.bbtnOk->click();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(form.iPortNo, port);
    }

    void okTakesTheChosenPortAndCancelDoesNot()
    {
        setPresent({3, 5});
        TDlgRsPortForm form(shared);
        form.iPortNo = 3;
        const int cancelled = execWith(form, [&] {
            QTest::mouseClick(form.rbtnCom[4], Qt::LeftButton);
            form.bbtnCancel->click();
        });
        QCOMPARE(cancelled, int(QDialog::Rejected));
        QCOMPARE(form.iPortNo, 3);
        const int accepted = execWith(form, [&] {
            QCOMPARE(portsWhere(form), QStringList{"COM3"}); // shown again for port 3
            QTest::mouseClick(form.rbtnCom[4], Qt::LeftButton);
            form.bbtnOk->click();
        });
        QCOMPARE(accepted, int(QDialog::Accepted));
        QCOMPARE(form.iPortNo, 5);
        // A port outside the dialog leaves the previous check, and OK keeps it.
        for (int outside : {0, 9, -1}) {
            form.iPortNo = outside;
            execWith(form, [&] {
                QCOMPARE(portsWhere(form), QStringList{"COM5"});
                form.bbtnOk->click();
            });
            QCOMPARE(form.iPortNo, 5);
        }
    }

    void eachPortShowsTheDeviceItOpens()
    {
        IsolatedPorts ports;
        for (int n = 1; n <= kProbedPorts; ++n)
            ports.route(n, QStringLiteral("/dev/pts/%1").arg(10 + n));
        TDlgRsPortForm form(shared);
        form.FormShow();
        for (int i = 0; i < kProbedPorts; ++i) {
            const QLabel *device = form.lblDevice[i];
            const QRadioButton *port = form.rbtnCom[i];
            QCOMPARE(device->text(), QStringLiteral("/dev/pts/%1").arg(11 + i));
            // Beside its own port, in a smaller face.
            QCOMPARE(device->parentWidget(), port->parentWidget());
            QVERIFY(qAbs(device->x() - port->x()) < 40 && device->y() >= port->y() &&
                    device->y() < port->y() + 2 * port->height());
            QVERIFY(device->font().pointSizeF() < port->font().pointSizeF());
        }

        // Routed elsewhere after start-up, a port shows its new device on the next showing.
        const QString longPath = QStringLiteral("/tmp/orvel-dialog-test/a-rather-long-folder/meter-link");
        ports.route(2, longPath);
        form.FormShow();
        const QLabel *com2 = form.lblDevice[1];
        QCOMPARE(com2->toolTip(), longPath);
        QVERIFY(com2->text().endsWith(QStringLiteral("link")));
        QVERIFY(com2->fontMetrics().horizontalAdvance(com2->text()) <= com2->width());
    }

    void aPortTheUserMayNotOpenSaysHowToGetAccess()
    {
        IsolatedPorts ports;
        ports.route(3, QStringLiteral("/dev/ttyUSB-denied"));
        ports.route(5, QStringLiteral("/dev/ttyACM-denied"));
        const SerialOpener previous = setSerialOpener([](const QString &path) -> std::unique_ptr<SerialDevice> {
            errno = path.endsWith(QLatin1String("-denied")) ? EACCES : ENOENT;
            return nullptr;
        });
        ProbePorts(shared);
        setSerialOpener(previous);
        QCOMPARE(shared.PortDenied,
                 (std::array<bool, kProbedPorts>{false, false, true, false, true, false, false, false}));
        QVERIFY(!shared.PortPresent[2] && !shared.PortPresent[4]);

        const QString advice =
            QStringLiteral("permission denied — add yourself to the dialout group, then log in again");
        TDlgRsPortForm plain(shared);
        shared.PortDenied.fill(false);
        plain.FormShow();
        QVERIFY(plain.lblAccess->isHidden());
        shared.PortDenied[2] = shared.PortDenied[4] = true;

        TDlgRsPortForm form(shared);
        execWith(form, [&] {
            QVERIFY(form.lblAccess->isVisible());
            QCOMPARE(form.lblAccess->text(), QStringLiteral("COM3, COM5: ") + advice);
            QCOMPARE(form.lblDevice[2]->toolTip(), QStringLiteral("/dev/ttyUSB-denied\n") + advice);
            QVERIFY(!form.lblDevice[3]->toolTip().contains(advice));
            // The dialog grows to hold the note whole, above its buttons.
            QVERIFY(form.height() > plain.height());
            QVERIFY(form.lblAccess->geometry().bottom() < form.bbtnOk->mapTo(&form, QPoint(0, 0)).y());
            QVERIFY(form.bbtnOk->mapTo(&form, QPoint(0, form.bbtnOk->height())).y() <= form.height());
            QVERIFY(form.minimumSize() == form.maximumSize());
            form.bbtnCancel->click();
        });
    }

    // ---- self-closing warning ------------------------------------------------

    void warningLeftAloneEndsWithYesAfterThirtySteps()
    {
        TAutoMsgForm form;
        QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(form.bbtnYes->text(), QStringLiteral("&Continue"));
        QVERIFY(!form.Timer1->isActive());
        warnWith(form, [&] {
            QCOMPARE(form.windowTitle(), kNoDataCaption);
            QCOMPARE(form.lbMsg1->text(), kNoData);
            QCOMPARE(form.lbMsg2->text(), kRetrying);
            QVERIFY(form.Timer1->isActive());
            QCOMPARE(form.Timer1->interval(), 100);
            for (int step = 0; step < 12; ++step)
                form.Timer1Timer();
            form.bbtnYes->click();
        });
        QCOMPARE(form.ProgressBar->value(), 12);
        // Shown again, the bar starts from empty and runs to the end.
        bool openBeforeTheLastStep = false;
        const PromptButton result = warnWith(form, [&] {
            QCOMPARE(form.ProgressBar->value(), 0);
            QVERIFY(form.Timer1->isActive());
            for (int step = 1; step < kAutoCloseSteps; ++step)
                form.Timer1Timer();
            QCOMPARE(form.ProgressBar->value(), 29);
            openBeforeTheLastStep = form.isVisible();
            form.Timer1Timer();
        });
        QVERIFY(openBeforeTheLastStep);
        QCOMPARE(form.result(), 6);
        QCOMPARE(result, PromptButton::Yes);
        QVERIFY(!form.Timer1->isActive());
    }

    // Once with the window's own timer: the countdown runs by itself.
    void warningTimesOutByItsOwnTimer()
    {
        TAutoMsgForm form;
        QTimer::singleShot(20000, &form, [&] { form.done(-1); }); // only a guard against a countdown that never ends
        const PromptButton result = form.ShowWarning(kNoDataCaption, kNoData, kRetrying, {});
        QCOMPARE(form.result(), 6);
        QCOMPARE(result, PromptButton::Yes);
        QCOMPARE(form.ProgressBar->value(), 30);
    }

    void warningEndsAsTheUserAnswers_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("code");
        QTest::addColumn<PromptButton>("expected");
        QTest::addRow("Continue") << "continue" << 4 << PromptButton::Retry;
        QTest::addRow("Abort") << "abort" << 3 << PromptButton::Abort;
        // Escape, or a close by the window manager, must not end the link.
        QTest::addRow("Escape") << "escape" << 4 << PromptButton::Retry;
        QTest::addRow("closed") << "close" << 4 << PromptButton::Retry;
    }

    void warningEndsAsTheUserAnswers()
    {
        QFETCH(QString, how);
        QFETCH(int, code);
        QFETCH(PromptButton, expected);
        TAutoMsgForm form;
        const PromptButton result = warnWith(form, [&] {
            form.Timer1Timer();
            if (how == QLatin1String("continue"))
                form.bbtnYes->click();
            else if (how == QLatin1String("abort"))
                form.bbtnAbort->click();
            else if (how == QLatin1String("escape"))
                QTest::keyClick(&form, Qt::Key_Escape);
            else
                form.close();
        });
        QCOMPARE(form.result(), code);
        QCOMPARE(result, expected);
        QVERIFY(!form.Timer1->isActive());
        form.Timer1Timer(); // a tick queued before the end changes nothing
        QCOMPARE(form.ProgressBar->value(), 1);
        QCOMPARE(form.result(), code);
    }

    // ---- progress window -----------------------------------------------------

    void abortAsksFirst_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::addColumn<PromptButton>("answer");
        QTest::addColumn<bool>("loadGoesOn");
        QTest::addRow("No") << false << PromptButton::No << true;
        QTest::addRow("Yes") << false << PromptButton::Yes << false;
        // Escape must not hide the window of a load that runs on: it asks like the abort button.
        QTest::addRow("Escape, No") << true << PromptButton::No << true;
    }

    void abortAsksFirst()
    {
        QFETCH(bool, byEscape);
        QFETCH(PromptButton, answer);
        QFETCH(bool, loadGoesOn);
        ScopedPrompt asked;
        asked->answers = {answer};
        TMsgForm form;
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
        bool aborted = false;
        connect(&form, &TMsgForm::abortConfirmed, [&aborted] { aborted = true; });
        if (byEscape) {
            form.show();
            QTest::keyClick(&form, Qt::Key_Escape);
        } else {
            form.bbtnAbort->click();
        }
        QCOMPARE(asked->messages.size(), 1);
        const MessageRequest &m = asked->messages[0];
        QCOMPARE(m.caption, QStringLiteral("Warning[W8014]"));
        QCOMPARE(m.text, QStringLiteral("Do you really want to abort import data ?"));
        QCOMPARE(m.buttons, (QList<PromptButton>{PromptButton::Yes, PromptButton::No}));
        QCOMPARE(m.icon, PromptIcon::Question);
        QCOMPARE(m.defaultButton, PromptButton::No);
        QCOMPARE(m.owner, static_cast<const QObject *>(&form));
        QCOMPARE(aborted, !loadGoesOn);
        if (!byEscape)
            return;
        QVERIFY(form.isVisible());

        form.bbtnAbort->setEnabled(false); // the loader's final phase: nothing to ask
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(asked->messages.size(), 1);
        QVERIFY(form.isVisible());

        QVERIFY(form.close()); // the loader's own close needs no answer
        QVERIFY(!form.isVisible());
        QCOMPARE(asked->messages.size(), 1);
    }

    void messageLineShowsTextAsGivenInItsColour()
    {
        TMsgForm form;
        form.setMessage(QStringLiteral("[W8005] <b>x</b>"), Qt::red);
        QCOMPARE(form.MsgPanel->text(), QStringLiteral("[W8005] <b>x</b>"));
        QCOMPARE(form.MsgPanel->textFormat(), Qt::PlainText); // a file name is never markup
        QCOMPARE(form.MsgPanel->palette().color(QPalette::WindowText), QColor(Qt::red));
    }

    // ---- About box -----------------------------------------------------------

    void aboutBoxNamesProgramVersionAndSystem()
    {
        TDlgAboutForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("About"));
        const QStringList expected{"Orvel", "Data Logging System", "Ver 5.0.0.3", "Nov 05, 2013",
                                   "System: Linux " + kernelMajorMinor()};
        QCOMPARE(form.Memo1->toPlainText().split(QLatin1Char('\n')), expected);
        QVERIFY(form.Memo1->isReadOnly());
        QTest::keyClicks(form.Memo1, QStringLiteral("x"));
        QCOMPARE(form.Memo1->toPlainText().split(QLatin1Char('\n')), expected);

        // The icon stands centred in the room left of the lines.
        QVERIFY(!form.Image1->pixmap().isNull());
        const QRect icon = form.Image1->geometry();
        QCOMPARE(icon.left(), (form.Memo1->x() - icon.width()) / 2);
        QCOMPARE(icon.top(), form.Image1->parentWidget()->height() / 2 - icon.height() / 2);
        QCOMPARE(execWith(form, [&] { form.BitBtn1->click(); }), int(QDialog::Accepted));

        // The system line names the running kernel.
        QCOMPARE(systemLine({5, 10}), QStringLiteral("System: Linux 5.10"));
        QCOMPARE(systemLine(osVersion()), "System: Linux " + kernelMajorMinor());
    }

    // ---- system version ------------------------------------------------------

    void releaseTextGivesMajorAndMinor_data()
    {
        QTest::addColumn<QString>("release");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addRow("distribution kernel") << "6.1.0-13-amd64" << 6 << 1;
        QTest::addRow("two numbers") << "5.10" << 5 << 10;
        QTest::addRow("letters") << "abc" << 0 << 0;
        QTest::addRow("empty") << "" << 0 << 0;
        QTest::addRow("major only") << "7" << 7 << 0;
        QTest::addRow("flavour after minor") << "4.19-rt" << 4 << 19;
        QTest::addRow("too long to be a number") << "99999999999.1" << 0 << 0;
    }

    void releaseTextGivesMajorAndMinor()
    {
        QFETCH(QString, release);
        QFETCH(int, major);
        QFETCH(int, minor);
        const OsVersion v = parseOsRelease(release);
        QCOMPARE(QStringLiteral("%1.%2").arg(v.major).arg(v.minor), QStringLiteral("%1.%2").arg(major).arg(minor));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_Dialogs.moc"
