#include "platform/QtUserPrompt.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QWidget>

namespace orvel {

namespace {

QWidget *ownerWidget(const QObject *owner)
{
    if (auto *w = qobject_cast<QWidget *>(const_cast<QObject *>(owner)))
        return w;
    if (owner) // owned by the application: the window in front
        return QApplication::activeWindow();
    return nullptr;
}

QMessageBox::StandardButton standardButton(PromptButton b)
{
    switch (b) {
    case PromptButton::Ok: return QMessageBox::Ok;
    case PromptButton::Cancel: return QMessageBox::Cancel;
    case PromptButton::Abort: return QMessageBox::Abort;
    case PromptButton::Retry: return QMessageBox::Retry;
    case PromptButton::Ignore: return QMessageBox::Ignore;
    case PromptButton::Yes: return QMessageBox::Yes;
    case PromptButton::No: return QMessageBox::No;
    case PromptButton::None: break;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon boxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Stop: return QMessageBox::Critical;
    case PromptIcon::Exclamation: return QMessageBox::Warning;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// "Name(*.a)|*.a|Other(*.b)|*.b" lists become Qt's "Name(*.a);;Other(*.b)".
QString qtFilter(const QString &filter)
{
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                       QLatin1Char(')');
    return entries.join(QStringLiteral(";;"));
}

QString withDefaultExtension(QString name, const QString &extension)
{
    if (!name.isEmpty() && !extension.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + extension;
    return name;
}

} // namespace

std::unique_ptr<QMessageBox> messageBoxFor(const MessageRequest &request)
{
    auto box = std::make_unique<QMessageBox>(boxIcon(request.icon), request.caption, request.text,
                                             QMessageBox::NoButton, ownerWidget(request.owner));
    // Texts may carry what a file or the meter said: shown as they are, never as markup.
    box->setTextFormat(Qt::PlainText);
    for (PromptButton b : request.buttons)
        box->addButton(standardButton(b));
    box->setDefaultButton(standardButton(request.defaultButton));
    if (request.buttons.contains(PromptButton::Cancel))
        box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

namespace {

class QtUserPrompt final : public UserPrompt
{
public:
    PromptButton message(const MessageRequest &request) override
    {
        const std::unique_ptr<QMessageBox> box = messageBoxFor(request);
        const int result = box->exec();
        for (PromptButton b : request.buttons)
            if (standardButton(b) == result)
                return b;
        return request.buttons.contains(PromptButton::Cancel) ? PromptButton::Cancel : request.defaultButton;
    }

    QString openFileName(const FileRequest &request) override
    {
        const QString dir = request.directory.isEmpty() ? request.fileName : request.directory;
        return QFileDialog::getOpenFileName(ownerWidget(request.owner), request.caption, dir, qtFilter(request.filter));
    }

    QString saveFileName(const FileRequest &request) override
    {
        QFileDialog dialog(ownerWidget(request.owner), request.caption, request.directory, qtFilter(request.filter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(request.defaultExtension);
        dialog.selectFile(request.fileName);
        if (!request.promptOverwrite)
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return withDefaultExtension(dialog.selectedFiles().first(), request.defaultExtension);
    }

    QString inputText(const InputRequest &request) override
    {
        bool ok = false;
        const QString text = QInputDialog::getText(ownerWidget(request.owner), request.caption, request.prompt,
                                                   QLineEdit::Normal, request.defaultText, &ok);
        return ok ? text : request.defaultText;
    }

    std::optional<quint32> chooseColor(quint32 initialRgb, const QObject *owner) override
    {
        const QColor c = QColorDialog::getColor(QColor::fromRgb(initialRgb), ownerWidget(owner));
        if (!c.isValid())
            return std::nullopt;
        return quint32(c.rgb() & 0xFFFFFF);
    }

    bool printDialog(QPrinter &printer, const QObject *owner) override
    {
        QPrintDialog dialog(&printer, ownerWidget(owner));
        return dialog.exec() == QDialog::Accepted;
    }

    bool printerSetup(QPrinter &printer, const QObject *owner) override
    {
        QPageSetupDialog dialog(&printer, ownerWidget(owner));
        return dialog.exec() == QDialog::Accepted;
    }
};

} // namespace

std::unique_ptr<UserPrompt> makeQtUserPrompt()
{
    return std::make_unique<QtUserPrompt>();
}

} // namespace orvel
