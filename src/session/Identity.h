// The identity texts of this build and the maker's web addresses.
#pragma once

#include "BuildConfig.h"

#include <QString>
#include <QUrl>

namespace veldrin::identity {

inline constexpr char SoftwareCode[] = "PK30418";
inline constexpr char SoftwareDescription[] = "Modbus Master / Ethernet - Converter";
inline constexpr const char* SoftwareVersion = build::Version;

// The maker's web domain, then " - Configurator PK30418 - Modbus Master / Ethernet ".
QString WindowTitle();
// The maker's web domain as shown on the main window.
QString MakerDomain();
// An address on the maker's web server.
QUrl MakerUrl(const QString& path, const QString& query = {}, const QString& fragment = {});
// The maker's home page, opened from the main window and the about box.
QUrl HomePageUrl();
// The download page a new-version link leads to.
QUrl DownloadPageUrl();

} // namespace veldrin::identity
