#include "tests/support/ScriptedPrompt.h"

namespace orvel::test {

PromptButton ScriptedPrompt::message(const MessageRequest &request)
{
    messages.append(request);
    if (whileAsked)
        whileAsked();
    return answers.isEmpty() ? request.defaultButton : answers.takeFirst();
}

QString ScriptedPrompt::openFileName(const FileRequest &request)
{
    fileRequests.append(request);
    if (whileAsked)
        whileAsked();
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString ScriptedPrompt::saveFileName(const FileRequest &request)
{
    fileRequests.append(request);
    if (whileAsked)
        whileAsked();
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString ScriptedPrompt::inputText(const InputRequest &request)
{
    inputRequests.append(request);
    return inputAnswers.isEmpty() ? request.defaultText : inputAnswers.takeFirst();
}

std::optional<quint32> ScriptedPrompt::chooseColor(quint32, const QObject *)
{
    return std::nullopt;
}

bool ScriptedPrompt::printDialog(QPrinter &, const QObject *)
{
    return true;
}

bool ScriptedPrompt::printerSetup(QPrinter &, const QObject *)
{
    return true;
}

QStringList ScriptedPrompt::captions() const
{
    QStringList list;
    for (const MessageRequest &m : messages)
        list.append(m.caption);
    return list;
}

ScopedPrompt::ScopedPrompt()
{
    auto scripted = std::make_unique<ScriptedPrompt>();
    prompt_ = scripted.get();
    previous_ = setUserPrompt(std::move(scripted));
}

ScopedPrompt::~ScopedPrompt()
{
    setUserPrompt(std::move(previous_));
}

} // namespace orvel::test
