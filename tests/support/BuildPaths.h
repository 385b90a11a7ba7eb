#pragma once
// Where this build keeps what the tests run and write. The paths are compiled
// into this one file of the test support library, so that every test compiles
// to the same code in any clone and build folder, and the compiler cache
// serves another clone's build too.

#include <QString>

namespace orvel::test {

/// orvel-cli of this build.
QString cliProgram();
/// test-output/chart of the build tree, where the chart's tests leave their files.
QString chartTestOutput();

} // namespace orvel::test
