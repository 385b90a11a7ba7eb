#pragma once
// The program's texts in the user's language: the string table's translation
// and Qt's own (the standard buttons of message boxes and dialogs).

#include <QLocale>
#include <QString>
#include <QStringList>

class QCoreApplication;

namespace orvel {

/// Where the translations (orvel_<language>.qm) are looked for, first found
/// wins: share/orvel/translations beside the program's bin folder (an installed
/// program, whatever its prefix), then translations/ beside the program (the build).
QStringList translationFolders();

/// Installs into `app` the string table's translation for the first of
/// `locale`'s UI languages that has one (LANGUAGE, then LC_ALL/LC_MESSAGES/LANG
/// for the system's locale), and Qt's own translation for that language where
/// the distribution has it. English has a translation that changes nothing, so
/// an English first choice is kept. Returns the language installed, or an
/// empty string when none was (English texts throughout).
QString installTranslations(QCoreApplication &app, const QLocale &locale = QLocale::system(),
                            const QStringList &folders = translationFolders());

/// The locale of the texts' language, for a count inside a message ("1,234
/// readings", "1.234 Messwerte"): English until installTranslations() installs
/// another language. Files, exports, JSON and settings never use it.
QLocale textLocale();

} // namespace orvel
