// Opens web links in the desktop's default browser.
#pragma once

#include "services/UrlOpener.h"

namespace veldrin {

class DesktopUrlOpener : public UrlOpener {
public:
    void open(const QUrl& url) override;
};

} // namespace veldrin
