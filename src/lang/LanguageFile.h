// Language files (.lng): the user's language over the built-in English texts.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace veldrin {

class StringTable;

inline constexpr qint64 MaxLanguageFileSize = qint64{1024} * 1024;

// The text of a language file: a byte-order mark selects UTF-8, UTF-16 LE or BE; without
// one the bytes are UTF-8 when they are valid UTF-8, otherwise Windows-1252. Nothing when
// the bytes do not decode under the encoding their mark names.
std::optional<QString> DecodeLanguageText(const QByteArray& bytes);

// The indexes a language file sets, in the order its lines set them.
using SetIndexes = QList<int>;

// Applies one line of a language file: "STR" + index + one separator character + "=" +
// text, optionally followed by "/#/" and a comment. Returns the index it set, or -1 for
// a line that changes nothing.
int ApplyLanguageLine(StringTable& table, const QString& line);

// Applies every line of a text, in order; lines end with CR, LF or CR LF.
SetIndexes ApplyLanguageText(StringTable& table, const QString& text);

// Replaces the entries the file at path sets. A file that is not a regular file, is larger
// than MaxLanguageFileSize, or cannot be read or decoded changes nothing and gives nothing.
std::optional<SetIndexes> LoadLanguageFile(StringTable& table, const QString& path);

// The language file of a language name in languageDir.
QString LanguageFilePath(const QString& languageDir, const QString& language);

// Rebuilds the whole table for currentLanguage: the built-in texts, then its file. When that
// file is missing (or the name is not a plain file name) the language becomes "English" and
// English.lng is applied when present. Gives the path of the file applied, or "" when the
// built-in texts stand alone.
QString SelectLanguage(StringTable& table, const QString& languageDir, QString& currentLanguage);

} // namespace veldrin
