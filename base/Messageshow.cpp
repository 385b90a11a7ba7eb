#include "base/Messageshow.h"

#include "resources/Strings.h"

namespace orvel {

QString codedCaption(int captionFormatId, int number)
{
    return LoadStrFmt(captionFormatId, number);
}

void ShowCodedMessage(const QObject *owner, int captionFormatId, int textId)
{
    MessageShow(owner, captionFormatId, textId, {PromptButton::Ok}, PromptIcon::Stop);
}

PromptButton MessageShow(const QObject *owner, int captionFormatId, int textId, const QList<PromptButton> &buttons,
                         PromptIcon icon, PromptButton defaultButton)
{
    return MessageShowText(owner, captionFormatId, textId, LoadStr(textId), buttons, icon, defaultButton);
}

namespace {
PromptButton showBox(const QObject *owner, const QString &caption, const QString &text,
                     const QList<PromptButton> &buttons, PromptIcon icon, PromptButton defaultButton)
{
    MessageRequest request;
    request.caption = caption;
    request.text = text;
    request.buttons = buttons.isEmpty() ? QList<PromptButton>{PromptButton::Ok} : buttons;
    request.icon = icon;
    request.defaultButton = defaultButton == PromptButton::None ? request.buttons.first() : defaultButton;
    request.owner = owner;
    return prompt().message(request);
}
} // namespace

PromptButton MessageShowText(const QObject *owner, int captionFormatId, int number, const QString &text,
                             const QList<PromptButton> &buttons, PromptIcon icon, PromptButton defaultButton)
{
    return showBox(owner, codedCaption(captionFormatId, number), text, buttons, icon, defaultButton);
}

QString ApplicationTitle()
{
    return LoadStr(str::SeriesName) + QLatin1Char(' ') + LoadStr(str::AppTitle);
}

PromptButton TitledMessage(const QObject *owner, const QString &text, PromptIcon icon,
                           const QList<PromptButton> &buttons, PromptButton defaultButton)
{
    return showBox(owner, ApplicationTitle(), text, buttons, icon, defaultButton);
}

} // namespace orvel
