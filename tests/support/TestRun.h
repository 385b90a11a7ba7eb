#pragma once
// One run of the program for a window test: a fresh start-up folder made
// current, ports that reach no real device and the scripted prompt. Everything
// is put back when it ends. The test makes the windows (WindowSet, which brings
// the core objects and their state as before start-up) while it lives.

#include "app/Globalvar.h"
#include "meter/ProgramState.h"
#include "platform/WindowPlacement.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDir>
#include <QTemporaryDir>

namespace orvel::test {

class TestRun
{
public:
    TestRun()
        : savedCurrent_(QDir::currentPath())
    {
        QDir::setCurrent(dir_.path());
    }
    ~TestRun() { QDir::setCurrent(savedCurrent_); }
    TestRun(const TestRun &) = delete;
    TestRun &operator=(const TestRun &) = delete;

    QString folder() const { return dir_.path(); }
    QString filePath(const QString &name) const { return dir_.filePath(name); }
    ScriptedPrompt &asked() const { return *prompt; }

    IsolatedPorts ports;
    ScopedPrompt prompt;

private:
    QTemporaryDir dir_;
    QString savedCurrent_;
};

} // namespace orvel::test
