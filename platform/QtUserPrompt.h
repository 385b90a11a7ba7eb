#pragma once
// The user prompt of the GUI: real Qt dialogs.

#include "platform/UserPrompt.h"

#include <memory>

class QMessageBox;

namespace orvel {

std::unique_ptr<UserPrompt> makeQtUserPrompt();

/// The message box the GUI's prompt shows for `request`, not yet shown. Its
/// text is plain text: what a file or the meter said is never read as markup.
std::unique_ptr<QMessageBox> messageBoxFor(const MessageRequest &request);

} // namespace orvel
