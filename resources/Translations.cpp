#include "resources/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace orvel {

namespace {
QLocale &installedLocale()
{
    static QLocale locale(QLocale::English);
    return locale;
}
} // namespace

QStringList translationFolders()
{
    const QString bin = QCoreApplication::applicationDirPath();
    return {bin + QStringLiteral("/../share/orvel/translations"), bin + QStringLiteral("/translations")};
}

QString installTranslations(QCoreApplication &app, const QLocale &locale, const QStringList &folders)
{
    auto *own = new QTranslator(&app);
    bool loaded = false;
    for (const QString &folder : folders)
        if ((loaded = own->load(locale, QStringLiteral("orvel"), QStringLiteral("_"), folder)))
            break;
    if (!loaded) {
        delete own;
        installedLocale() = QLocale(QLocale::English);
        return {};
    }
    QCoreApplication::installTranslator(own);
    // Qt's texts in the same language as the table's, never in another one.
    const QLocale language(own->language());
    auto *qt = new QTranslator(&app);
    if (qt->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    installedLocale() = language;
    return own->language();
}

QLocale textLocale()
{
    return installedLocale();
}

} // namespace orvel
