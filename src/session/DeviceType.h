// The device generation a configuration is set up for, as the main window reads it.
#pragma once

#include <QString>

namespace veldrin {

// The integer text of Device_Type below the first node of the file at parGenPath; 0 when
// the file or the element is missing, the text is not an integer, or the file cannot be
// read as XML.
int ReadDeviceType(const QString& parGenPath);

} // namespace veldrin
