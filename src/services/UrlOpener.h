// Opens a web link in the user's browser.
#pragma once

#include <QUrl>

namespace veldrin {

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QUrl& url) = 0;
};

} // namespace veldrin
