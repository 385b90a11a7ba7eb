// This build's paths, compiled into this file alone: every other test then
// compiles alike in any clone and build folder, and the compiler cache serves
// another clone's build too.

#include <QString>

namespace orvel::test {

QString cliProgram()
{
    return QStringLiteral(ORVEL_CLI);
}

QString chartTestOutput()
{
    return QStringLiteral(ORVEL_CHART_TEST_OUTPUT);
}

} // namespace orvel::test
