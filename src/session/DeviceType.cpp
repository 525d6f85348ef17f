#include "session/DeviceType.h"

#include "common/IntOrDefault.h"
#include "common/VeldrinError.h"
#include "common/XmlDoc.h"

#include <QFileInfo>

namespace veldrin {

int ReadDeviceType(const QString& parGenPath)
{
    if (!QFileInfo::exists(parGenPath))
        return 0;
    try {
        const XmlDoc doc = XmlDoc::Load(parGenPath);
        return IntOrDefault(doc.root().child(QStringLiteral("Device_Type")).text(), 0);
    } catch (const VeldrinError&) {
        // A file that cannot be read counts as missing: the step goes on as for a new
        // configuration, and the dialog that owns the file reports what is wrong with it.
        return 0;
    }
}

} // namespace veldrin
