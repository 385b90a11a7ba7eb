// The program's entry point: creates every window, runs until the main window closes.

#include "app/Startup.h"
#include "base/Messageshow.h"
#include "platform/QtUserPrompt.h"
#include "platform/UserPrompt.h"
#include "recorder/Graphicalrecord.h"
#include "resources/Strings.h"
#include "resources/Translations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

namespace {
constexpr int kVersionLine = 2191; // "orvel %s"
constexpr int kUsage = 2193;

// --version and --help are answered before any window system is touched, so
// they work without a display. Every other argument is left to Qt.
bool answerInformationOptions(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const bool version = std::strcmp(argv[i], "--version") == 0;
        if (!version && std::strcmp(argv[i], "--help") != 0 && std::strcmp(argv[i], "-h") != 0)
            continue;
        QCoreApplication core(argc, argv); // for the translations only
        orvel::installTranslations(core);
        if (version) {
            std::printf("%s\n", qPrintable(orvel::LoadStrArg(kVersionLine, QStringLiteral(ORVEL_VERSION))));
        } else {
            std::fputs(qPrintable(orvel::LoadStr(kUsage)), stdout);
        }
        return true;
    }
    return false;
}
} // namespace

int main(int argc, char *argv[])
{
    if (answerInformationOptions(argc, argv))
        return 0;
    // A write past a file-size limit (a temporary file, a save) fails with an
    // error that is reported like a full disk, instead of ending the program
    // and losing the readings it holds.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication app(argc, argv);
    // Before any window: each takes its texts from the string table as it is made.
    orvel::installTranslations(app);
    // The views outlive the main window on screen; closing the main window ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    orvel::setUserPrompt(orvel::makeQtUserPrompt());

    try {
        orvel::WindowSet windows;
        // Once the windows are up: recordings a crashed run left behind, then
        // the file the program was started with (from a file manager, say).
        QStringList files = QApplication::arguments().mid(1);
        files.removeIf([](const QString &a) { return a.startsWith(QLatin1Char('-')); });
        QTimer::singleShot(0, [files] {
            orvel::GraphicalForm->OfferInterruptedRecordings();
            if (!files.isEmpty())
                orvel::GraphicalForm->OpenFile(files.first());
        });
        QApplication::exec();
    } catch (const std::exception &error) {
        orvel::TitledMessage(nullptr, QString::fromLocal8Bit(error.what()), orvel::PromptIcon::Stop);
    }
    return 0;
}
