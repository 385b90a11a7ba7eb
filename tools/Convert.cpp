#include "tools/Convert.h"

#include "export/ExportText.h"
#include "recorder/LoggerFile.h"
#include "recorder/Pages.h"
#include "recorder/Tarecord.h"
#include "resources/Strings.h"

#include <QSaveFile>

#include <new>

namespace orvel::cli {

namespace {
constexpr int kCannotRead = 2102;
constexpr int kPageOutside = 2120;
constexpr int kCannotWrite = 2121;

void printError(std::FILE *err, const QString &message)
{
    std::fprintf(err, "%s\n", qPrintable(message));
}

bool writeAll(std::FILE *to, const QByteArray &text)
{
    return std::fwrite(text.constData(), 1, std::size_t(text.size()), to) == std::size_t(text.size()) &&
           std::fflush(to) == 0;
}
} // namespace

int convert(const QString &in, const QString &out, std::optional<PageSpan> pages, std::FILE *stdOut, std::FILE *err)
{
    ReadingBuffer buffer;
    QByteArray text;
    try {
        if (!loadLoggerFile(in, buffer)) {
            printError(err, LoadStrArg(kCannotRead, in));
            return 1;
        }
        const int lastPage = pageCount(buffer.count());
        const PageSpan span = pages.value_or(PageSpan{1, lastPage});
        for (const int page : {span.from, span.to}) {
            if (page < 1 || page > lastPage) {
                printError(err, LoadStrFmt(kPageOutside, page, lastPage));
                return 1;
            }
        }
        text = exportText(buffer, span.from, span.to);
    } catch (const std::bad_alloc &) {
        printError(err, LoadStrArg(kCannotRead, in));
        return 1;
    }
    buffer.clear();

    if (out.isEmpty() || out == QLatin1String("-")) {
        if (!writeAll(stdOut, text)) {
            printError(err, LoadStrArg(kCannotWrite, QStringLiteral("-")));
            return 1;
        }
        return 0;
    }
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        file.cancelWriting();
        printError(err, LoadStrArg(kCannotWrite, out));
        return 1;
    }
    return 0;
}

} // namespace orvel::cli
