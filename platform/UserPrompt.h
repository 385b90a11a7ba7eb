#pragma once
// The one seam through which the program asks the user anything: message boxes,
// file choosers, the input box, the colour, printer and print dialogs.
//
// The forms and the port functions never open a modal dialog themselves; they
// describe the question and call prompt(). The GUI installs a Qt implementation,
// orvel-cli a console one, and tests a scripted one that records each question
// and answers it.

#include <QList>
#include <QString>

#include <memory>
#include <optional>

class QObject;
class QPrinter;

namespace orvel {

/// Buttons, numbered as the classic message-box results (Abort is 3, and so on).
enum class PromptButton { None = 0, Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

enum class PromptIcon { None, Stop, Exclamation, Question, Information };

struct MessageRequest
{
    QString caption;
    QString text;
    QList<PromptButton> buttons{PromptButton::Ok};
    PromptIcon icon = PromptIcon::None;
    PromptButton defaultButton = PromptButton::Ok;
    const QObject *owner = nullptr; ///< owning window; null for a box without owner
};

struct FileRequest
{
    QString caption;
    QString directory;
    QString fileName;         ///< proposed name
    QString filter;           ///< "Name (*.ext)" entries separated by ";;"
    QString defaultExtension; ///< appended when the chosen name has none
    bool promptOverwrite = false;
    const QObject *owner = nullptr;
};

struct InputRequest
{
    QString caption;
    QString prompt;
    QString defaultText;
    const QObject *owner = nullptr;
};

class UserPrompt
{
public:
    virtual ~UserPrompt() = default;

    /// Shows a message box; returns the button that closed it.
    virtual PromptButton message(const MessageRequest &request) = 0;
    /// File choosers; an empty text when the user cancels.
    virtual QString openFileName(const FileRequest &request) = 0;
    virtual QString saveFileName(const FileRequest &request) = 0;
    /// One-line input box; the default text when the user cancels.
    virtual QString inputText(const InputRequest &request) = 0;
    /// Colour dialog on 0xRRGGBB colours; nothing when the user cancels.
    virtual std::optional<quint32> chooseColor(quint32 initialRgb, const QObject *owner) = 0;
    /// Print dialog for `printer`; true when the user chose to print.
    virtual bool printDialog(QPrinter &printer, const QObject *owner) = 0;
    /// Printer set-up dialog; true on OK.
    virtual bool printerSetup(QPrinter &printer, const QObject *owner) = 0;
};

/// The prompt in force. Without an installed one, a console prompt that writes
/// each message to standard error and answers with its default button.
UserPrompt &prompt();

/// Installs `next` as the prompt in force and returns the previous one.
std::unique_ptr<UserPrompt> setUserPrompt(std::unique_ptr<UserPrompt> next);

/// The console prompt: messages go to standard error as "caption: text",
/// every question is answered with its default (cancel for choosers).
std::unique_ptr<UserPrompt> makeConsolePrompt();

} // namespace orvel
