// Configurations: the folders in PROJECTS, how they are named, created and listed.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace veldrin {

class StringTable;

// Indexes of the string-table messages that refuse a new configuration name.
inline constexpr int NameNotValidMessage = 30; // "Error! Name project is not valid"
inline constexpr int NameExistsMessage = 31;   // "... because directory already exists"
inline constexpr int NameEmptyMessage = 32;    // "Error! Name Project is not valid"

// A name that stays inside PROJECTS, fits the updaters' command lines and could exist on
// Windows: none of / \ : * ? " < > |, no control character or DEL, not ending with a blank
// or a period (so not "." or ".." either), not a Windows device name (CON, NUL, COM1, ...).
// A leading blank is allowed.
bool IsSafeConfigName(const QString& name);

// Creates the configuration folder name in projectsDir and its bin folder. Gives nothing
// when it was created, otherwise the index of the message that refuses the name: empty,
// unsafe, taken by a configuration whose name differs at most in letter case, or refused by
// the file system. A refused name creates nothing.
std::optional<int> CreateConfiguration(const QString& projectsDir, const QString& name);

// The configurations in projectsDir: every folder not starting with ".", sorted without
// regard to letter case, as a Windows folder listing gives them.
QStringList ListConfigurations(const QString& projectsDir);

// The index in SL of name: an exact match first, else the first that differs only in the
// case of a to z; -1 when there is none.
int Search_Open_Conf(const QStringList& SL, const QString& name);

// What the user reads when the folder of the configuration of that name has gone.
QString ConfigurationGoneMessage(const QString& name, const QString& configDir, const StringTable& strings);

} // namespace veldrin
