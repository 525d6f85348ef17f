// The configurator's pictures (the buttons' and the about box's), by name.
#pragma once

#include <QIcon>
#include <QString>

namespace veldrin {

// The picture of that name at size pixels, and at twice that for screens that scale by 2;
// none when the build rendered it at no such size.
QIcon Picture(const QString& name, int size);

} // namespace veldrin
