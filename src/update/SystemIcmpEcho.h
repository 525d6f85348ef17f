// The echo service of the system the configurator runs on.
#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN
#include "update/WindowsIcmpEcho.h"
namespace veldrin {
using SystemIcmpEcho = WindowsIcmpEcho;
} // namespace veldrin
#else
#include "update/LinuxIcmpEcho.h"
namespace veldrin {
using SystemIcmpEcho = LinuxIcmpEcho;
} // namespace veldrin
#endif
