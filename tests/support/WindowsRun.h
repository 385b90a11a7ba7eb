#pragma once
// One run of the program with its windows up, for window tests: a TestRun
// (fresh start-up folder, isolated ports, the scripted prompt), the meter's
// port COM2 on a pseudo-terminal nobody talks on, and the WindowSet. At the
// end the program is closed without a save question and everything put back.

#include "app/Main4.h"
#include "app/Startup.h"
#include "recorder/Graphicalrecord.h"
#include "tests/support/TestRun.h"

#include <memory>

namespace orvel::test {

class WindowsRun : public TestRun
{
public:
    WindowsRun()
    {
        ports.route(2, pty.path());
        windows = std::make_unique<WindowSet>();
    }
    ~WindowsRun()
    {
        if (FormMain && !FormMain->isHidden()) {
            recording().markSaved(); // no save question
            FormMain->close();
        }
        windows.reset();
    }

    PseudoTerminal pty;
    std::unique_ptr<WindowSet> windows;
};

} // namespace orvel::test
