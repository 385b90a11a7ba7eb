// The program's entry point: creates every window, runs until the main window closes.

#include "app/Startup.h"
#include "platform/QtUserPrompt.h"
#include "platform/UserPrompt.h"

#include <QApplication>

#include <exception>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The views outlive the main window on screen; closing the main window ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    orvel::setUserPrompt(orvel::makeQtUserPrompt());

    try {
        orvel::WindowSet windows;
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
