#pragma once
// The user prompt of the GUI: real Qt dialogs.

#include "platform/UserPrompt.h"

#include <memory>

namespace orvel {

std::unique_ptr<UserPrompt> makeQtUserPrompt();

} // namespace orvel
