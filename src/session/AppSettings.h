// The tool's own settings, kept in Veldrin.xml beside the program.
#pragma once

#include <QString>

namespace veldrin {

struct AppSettings {
    QString ActiveConfigName;
    QString LastDeviceIp = QStringLiteral("192.168.2.205");
    QString CurrentLanguage = QStringLiteral("English");
    bool InternetEnabled = false;
    bool UpdateCheckEnabled = false;

    // The periodic update check runs only while both internet options are on.
    bool updateCheckWanted() const { return InternetEnabled && UpdateCheckEnabled; }

    bool operator==(const AppSettings&) const = default;
};

} // namespace veldrin
