#include "services/DesktopUrlOpener.h"

#include <QDesktopServices>

namespace veldrin {

void DesktopUrlOpener::open(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

} // namespace veldrin
