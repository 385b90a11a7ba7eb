#include "tests/support/BuildPaths.h"

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
