#pragma once
// Message boxes. The text of every error, warning and question is an entry of
// the string table, and the caption names that entry's number:
// "Error[E9001]", "Warning[W8001]"; a text built around a system's word has the
// program's title as its caption.

#include "platform/UserPrompt.h"

#include <QList>
#include <QString>

class QObject;

namespace orvel {

/// Caption made from a caption format ("Error[E%d]" 9999 or "Warning[W%d]" 8999)
/// and the number of the text it announces.
QString codedCaption(int captionFormatId, int number);

/// The plain error report: text `textId`, caption from `captionFormatId`,
/// an OK button and the stop icon, owned by `owner`.
void ShowCodedMessage(const QObject *owner, int captionFormatId, int textId);

/// A numbered box with its own buttons, icon and default button (the inline form).
/// `defaultButton` None means the first button.
PromptButton MessageShow(const QObject *owner, int captionFormatId, int textId, const QList<PromptButton> &buttons,
                         PromptIcon icon, PromptButton defaultButton = PromptButton::None);

/// The same with a text built by the caller (two entries joined by a line feed,
/// say); the caption still names `number`.
PromptButton MessageShowText(const QObject *owner, int captionFormatId, int number, const QString &text,
                             const QList<PromptButton> &buttons, PromptIcon icon,
                             PromptButton defaultButton = PromptButton::None);

/// The program's title: the series name, a blank, and "Data Logging System".
QString ApplicationTitle();

/// A box captioned with the program's title, for a text that is not a numbered
/// entry alone (a system's reason, a path, an exception).
PromptButton TitledMessage(const QObject *owner, const QString &text, PromptIcon icon,
                           const QList<PromptButton> &buttons = {}, PromptButton defaultButton = PromptButton::None);

} // namespace orvel
