#include "tools/Output.h"

namespace orvel::cli {

void printError(const QString &message, std::FILE *to, Severity severity)
{
    std::fprintf(to, "%s\n", qPrintable(to == stderr ? journalText(message, severity) : message));
    std::fflush(to);
}

} // namespace orvel::cli
