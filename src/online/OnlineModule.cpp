#include "online/OnlineModule.h"

#include "online/OnlineServices.h"

#include <QDir>
#include <QLibrary>
#include <QtDebug>

namespace veldrin {

OnlineServices* OnlineModule::services()
{
    if (m_tried)
        return m_services;
    m_tried = true;
    // Never unloaded: the services and what they made live until the program ends.
    QLibrary library(m_folder + u'/' + QLatin1String(FileName));
    const auto entry = reinterpret_cast<OnlineServicesEntryFunction>(library.resolve(OnlineServicesEntry));
    m_services = entry ? entry() : nullptr;
    if (!m_services) {
        m_error =
            QStringLiteral("The program part %1 cannot be loaded from %2: %3")
                .arg(QLatin1String(FileName), QDir::toNativeSeparators(m_folder), library.errorString());
        qWarning().noquote() << m_error;
    }
    return m_services;
}

} // namespace veldrin
