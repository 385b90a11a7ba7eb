#pragma once
// A user prompt for tests: records every question and answers from a script
// (or with the default button when the script has run out). Never blocks.

#include "platform/UserPrompt.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace orvel::test {

class ScriptedPrompt : public UserPrompt
{
public:
    QList<MessageRequest> messages;  ///< every message box asked, in order
    QList<PromptButton> answers;     ///< answers to the next message boxes, in order
    QList<FileRequest> fileRequests; ///< every file chooser asked
    QStringList fileAnswers;         ///< chosen names, in order (empty = cancelled)
    QList<InputRequest> inputRequests;
    QStringList inputAnswers;
    /// Runs while a message box or a file chooser is up, before it is answered
    /// (as the modal loop of a real one would let events run).
    std::function<void()> whileAsked;

    PromptButton message(const MessageRequest &request) override;
    QString openFileName(const FileRequest &request) override;
    QString saveFileName(const FileRequest &request) override;
    QString inputText(const InputRequest &request) override;
    std::optional<quint32> chooseColor(quint32 initialRgb, const QObject *owner) override;
    bool printDialog(QPrinter &printer, const QObject *owner) override;
    bool printerSetup(QPrinter &printer, const QObject *owner) override;

    /// Captions of the message boxes asked so far, in order.
    QStringList captions() const;
};

/// Installs a ScriptedPrompt for as long as it lives, then restores the previous prompt.
class ScopedPrompt
{
public:
    ScopedPrompt();
    ~ScopedPrompt();
    ScopedPrompt(const ScopedPrompt &) = delete;
    ScopedPrompt &operator=(const ScopedPrompt &) = delete;

    ScriptedPrompt *operator->() const { return prompt_; }
    ScriptedPrompt &operator*() const { return *prompt_; }

private:
    ScriptedPrompt *prompt_ = nullptr;
    std::unique_ptr<UserPrompt> previous_;
};

} // namespace orvel::test
