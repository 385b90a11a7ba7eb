#include "tools/Output.h"

namespace orvel::cli {

void printError(const QString &message, std::FILE *to)
{
    std::fprintf(to, "%s\n", qPrintable(message));
    std::fflush(to);
}

} // namespace orvel::cli
