// A link opener for tests: remembers the links instead of starting a browser.
#pragma once

#include "services/UrlOpener.h"

#include <QList>

namespace veldrin::test {

class FakeUrlOpener : public UrlOpener {
public:
    void open(const QUrl& url) override { opened.append(url); }

    QList<QUrl> opened;
};

} // namespace veldrin::test
