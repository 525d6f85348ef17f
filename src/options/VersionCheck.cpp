#include "options/VersionCheck.h"

#include "common/IntOrDefault.h"
#include "common/TextRules.h"
#include "session/Identity.h"

namespace veldrin {

QUrl VersionQueryOfThisBuild()
{
    return identity::MakerUrl(QStringLiteral("/home/download/GetversionSW.asp"),
                              QStringLiteral("nomesw=") + QString::fromLatin1(identity::SoftwareCode));
}

int Conv_Version(const QString& Ver_str)
{
    const qsizetype blank = Ver_str.indexOf(u' ');
    const QString t = Trim(blank >= 0 ? Ver_str.mid(blank + 1) : Ver_str);
    if (t.size() < 5)
        return -1;
    const QString digits = QString(t[0]) + t[2] + t[3] + t[4];
    return IntOrDefault(digits, -1);
}

bool IsNewerVersion(const QString& answer)
{
    const QString u = Trim(AsciiUpper(answer));
    if (u.isEmpty() || u == u"VER. 0.000")
        return false;
    const int own = Conv_Version(QString::fromLatin1(identity::SoftwareVersion));
    const int offered = Conv_Version(Trim(answer));
    return own != -1 && offered != -1 && offered > own;
}

} // namespace veldrin
