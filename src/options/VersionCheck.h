// How the maker's answer to the version query is read and compared with this build.
#pragma once

#include <QString>
#include <QUrl>

namespace veldrin {

// The query of this build on the maker's server: GET /home/download/GetversionSW.asp?nomesw=PK30418.
QUrl VersionQueryOfThisBuild();

// The version number of a version text ("VER. 2.004" gives 2004, "2.003" gives 2003): the
// text after the first blank, trimmed; its 1st, 3rd, 4th and 5th characters as an integer;
// -1 when it has fewer than five characters or they are not an integer.
int Conv_Version(const QString& Ver_str);

// Whether an answer of the server names a version newer than this build's. An empty answer
// and "VER. 0.000" (any case, any blanks around it) are no.
bool IsNewerVersion(const QString& answer);

} // namespace veldrin
