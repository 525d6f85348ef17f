// ParGen.xml: reading and writing a configuration's communication parameters.
#pragma once

#include "comm/GeneralParameter.h"

#include <QByteArray>
#include <QString>

namespace veldrin {

// The parameters in the file at path. A missing file gives the defaults; each field on its
// own takes its default when the first node of the file has no child element of its name.
// Throws VeldrinError naming the file when it exists but cannot be read or is not
// well-formed XML.
GeneralParameter ReadGeneralParameter(const QString& path);

// The file's bytes: root GeneralParameter with its 23 elements in their fixed order, then the
// comment "SW_VERSION = " and the software version; no declaration, no whitespace.
// Throws VeldrinError naming fileName when a text holds a character XML cannot carry.
QByteArray GeneralParameterBytes(const GeneralParameter& record, const QString& fileName = QString());

// Replaces the file at path atomically; throws VeldrinError with the file and the reason when
// it cannot, and then the previous file is left whole.
void WriteGeneralParameter(const QString& path, const GeneralParameter& record);

} // namespace veldrin
