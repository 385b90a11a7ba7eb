#include "platform/UserPrompt.h"

#include "platform/Journal.h"

#include <cstdio>

namespace orvel {

namespace {

class ConsolePrompt final : public UserPrompt
{
public:
    PromptButton message(const MessageRequest &request) override
    {
        const Severity severity = request.icon == PromptIcon::Stop          ? Severity::Error
                                  : request.icon == PromptIcon::Exclamation ? Severity::Warning
                                                                            : Severity::Info;
        std::fprintf(stderr, "%s\n",
                     qPrintable(journalText(request.caption + QStringLiteral(": ") + request.text, severity)));
        return request.defaultButton;
    }
    QString openFileName(const FileRequest &) override { return {}; }
    QString saveFileName(const FileRequest &) override { return {}; }
    QString inputText(const InputRequest &request) override { return request.defaultText; }
    std::optional<quint32> chooseColor(quint32, const QObject *) override { return std::nullopt; }
    bool printDialog(QPrinter &, const QObject *) override { return false; }
    bool printerSetup(QPrinter &, const QObject *) override { return false; }
};

std::unique_ptr<UserPrompt> &installed()
{
    static std::unique_ptr<UserPrompt> current = makeConsolePrompt();
    return current;
}

} // namespace

std::unique_ptr<UserPrompt> makeConsolePrompt()
{
    return std::make_unique<ConsolePrompt>();
}

UserPrompt &prompt()
{
    return *installed();
}

std::unique_ptr<UserPrompt> setUserPrompt(std::unique_ptr<UserPrompt> next)
{
    if (!next)
        next = makeConsolePrompt();
    installed().swap(next);
    return next;
}

} // namespace orvel
