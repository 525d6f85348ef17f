// The languages the options dialog offers, and how they are paged six at a time.
#pragma once

#include <QString>
#include <QStringList>

namespace veldrin {

// The language files of languageDir ("Italiano.lng"), sorted without regard to case. Only
// ordinary files are listed: not folders or other special files, and not read-only files
// (no write permission for their owner), as the configurator has always left those out.
QStringList Create_Lang_List(const QString& languageDir);

// A file name without its last four characters, the ".lng".
QString LanguageName(const QString& fileName);

inline constexpr int LanguagesPerPage = 6;

// What a language page shows.
struct LanguagePage {
    int pages = 0; // (files + 5) / 6
    int first = 0; // list index of slot 1
    int shown = 0; // slots shown, from slot 1
    bool prevShown = false;
    bool nextShown = false;
};

LanguagePage Update_Lang_Page(int Num_Page, int count);

// The page Next (forward) or Prev leads to from page, among the pages of count languages;
// the same page at either end.
int TurnLanguagePage(int page, bool forward, int count);

// The list index of the language in slot 1 to 6 of page; -1 for a slot the page leaves empty.
qsizetype LanguageOfSlot(int page, int slot, int count);

// The flag shown for a language: its own picture (name + ".bmp") in languageDir, else the
// default flag there; "" when neither is a regular file.
QString LanguageFlagPath(const QString& languageDir, const QString& name);

} // namespace veldrin
