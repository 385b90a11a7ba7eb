#pragma once
// The numbered string table. Every text the user can see is one entry of it;
// no other file of the program spells out a user-visible text. The texts are
// English; LoadStr() gives each in the user's language where a translation is
// installed (resources/Translations.h).

#include <QString>

#include <cstddef>
#include <span>

namespace orvel {

struct StringEntry
{
    int id;             ///< string id, 1..9999
    const char *text;   ///< UTF-8 text, English
    bool fixed = false; ///< the same in every language (a file name, a code, a symbol): never translated
};

/// The translation context of the table's texts (QT_TRANSLATE_NOOP("Strings", …)).
inline constexpr char kStringContext[] = "Strings";

extern const StringEntry kStringTable[];
extern const std::size_t kStringTableSize;

/// The whole table, sorted by id.
std::span<const StringEntry> stringTable();

/// Text of string `id` in the user's language (the installed translators'
/// text, else English); an empty string for an id the table does not hold.
QString LoadStr(int id);

/// Text of string `id` as the table writes it, in English whatever the
/// language: for what programs read (orvel-cli's JSON lines).
QString sourceText(int id);

/// Text of string `id` with its first "%d" replaced by `value`
/// (caption formats such as "Error[E%d]", status texts such as "Data in buffer : %d").
QString LoadStrFmt(int id, int value);

/// Text of string `id` with "%d" placeholders replaced by `first` and `second` in order.
QString LoadStrFmt(int id, int first, int second);

/// Text of string `id` with its "%s" placeholder replaced by `arg`.
QString LoadStrArg(int id, const QString &arg);

// Ids of texts that code outside the forms refers to by name.
namespace str {
inline constexpr int AppTitle = 1;            ///< "Data Logging System"
inline constexpr int Version = 2;             ///< version line of the About box
inline constexpr int VersionDate = 3;         ///< date line of the About box
inline constexpr int TempStoreStem = 6;       ///< stem of the temporary store files
inline constexpr int SettingsFileName = 7;    ///< settings file, relative to the start-up folder
inline constexpr int SeriesName = 52;         ///< meter series name, first word of the title
inline constexpr int AccessDenied = 2190;     ///< a port the user may not open, and what to do about it
inline constexpr int NetworkPort = 2070;      ///< "network": a port that is a TCP stream
inline constexpr int ConnectFailed = 9010;    ///< "Cannot reach the meter at %1 port %2: %3."
inline constexpr int NotANetworkPort = 9011;  ///< a malformed tcp:// text, and why
inline constexpr int WarningCaption = 8999;   ///< "Warning[W%d]"
inline constexpr int ErrorCaption = 9999;     ///< "Error[E%d]"
inline constexpr int CannotOpenFile = 9101;   ///< "Cannot open file %s"
inline constexpr int CannotCreateFile = 9102; ///< "Cannot create file %s"
inline constexpr int NotAFloat = 9103;        ///< "'%s' is not a valid floating point value"
inline constexpr int NotAnInteger = 9104;     ///< "'%s' is not a valid integer value"
} // namespace str

} // namespace orvel
