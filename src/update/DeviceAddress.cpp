#include "update/DeviceAddress.h"

#include "common/Ipv4Address.h"
#include "common/TextRules.h"

namespace veldrin {

bool Valid_IP(const QString& IP, QString& ip1, QString& ip2, QString& ip3, QString& ip4)
{
    QString rest = Trim(IP);
    QString* parts[] = {&ip1, &ip2, &ip3};
    for (QString* part : parts) {
        const qsizetype dot = rest.indexOf(u'.');
        if (dot < 0)
            return false;
        *part = Trim(rest.left(dot));
        rest = Trim(rest.mid(dot + 1));
    }
    ip4 = rest;
    return ParseTypedAddress(IP).has_value();
}

} // namespace veldrin
