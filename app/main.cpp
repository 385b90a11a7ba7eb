// The program's entry point: creates every window, runs until the main window closes.

#include "app/Startup.h"
#include "platform/QtUserPrompt.h"
#include "platform/UserPrompt.h"
#include "recorder/Graphicalrecord.h"

#include <QApplication>
#include <QTimer>

#include <exception>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The views outlive the main window on screen; closing the main window ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    orvel::setUserPrompt(orvel::makeQtUserPrompt());

    try {
        orvel::WindowSet windows;
        // Once the windows are up: recordings a crashed run left behind.
        QTimer::singleShot(0, [] { orvel::GraphicalForm->OfferInterruptedRecordings(); });
        QApplication::exec();
    } catch (const std::exception &error) {
        orvel::MessageRequest report;
        report.caption = orvel::ApplicationTitle();
        report.text = QString::fromLocal8Bit(error.what());
        report.icon = orvel::PromptIcon::Stop;
        orvel::prompt().message(report);
    }
    return 0;
}
