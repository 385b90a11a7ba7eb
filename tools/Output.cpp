#include "tools/Output.h"

namespace orvel::cli {

void printError(const QString &message, std::FILE *to)
{
    std::fprintf(to, "%s\n", qPrintable(message));
    std::fflush(to);
}

std::string jsonString(const QString &text)
{
    std::string out = "\"";
    for (char32_t c : text.toStdU32String()) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04x", unsigned(c));
                out += esc;
            } else {
                out += QString::fromUcs4(&c, 1).toStdString();
            }
        }
    }
    return out + "\"";
}

} // namespace orvel::cli
