#include "session/Identity.h"

#include "BuildConfig.h"

namespace veldrin::identity {

QString MakerDomain()
{
    return QString::fromUtf8(build::MakerDomain);
}

QString WindowTitle()
{
    return MakerDomain() + QStringLiteral(" - Configurator PK30418 - Modbus Master / Ethernet ");
}

QUrl MakerUrl(const QString& path, const QString& query, const QString& fragment)
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(MakerDomain());
    url.setPath(path);
    if (!query.isEmpty())
        url.setQuery(query);
    if (!fragment.isEmpty())
        url.setFragment(fragment);
    return url;
}

QUrl HomePageUrl()
{
    return MakerUrl(QStringLiteral("/HOME/default.asp"), QStringLiteral("frompg=PK30418"));
}

QUrl DownloadPageUrl()
{
    return MakerUrl(QStringLiteral("/Home/download/download.asp"), {}, QStringLiteral("DV30418"));
}

} // namespace veldrin::identity
