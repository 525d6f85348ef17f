// The settings file Veldrin.xml: its tree, its reading rules and its writer.
#pragma once

#include "session/AppSettings.h"

#include <QByteArray>
#include <QString>

namespace veldrin {

class XmlDoc;

// The five values of a loaded document, each read on its own: a missing link of its chain
// gives that value's default, a present but empty element gives "", a flag is true only
// for the text "1", nothing is trimmed.
AppSettings ReadSettings(const XmlDoc& doc);

// The settings at path; a file that is missing or cannot be read (not well-formed, not a
// regular file, too large) gives the defaults, and is replaced at the next write.
AppSettings ReadSettingsFile(const QString& path);

// The file's bytes: root Conf_Settings, each group followed by its values, no whitespace.
QByteArray SettingsFileBytes(const AppSettings& settings);

// Writes the file atomically unless it already holds the same bytes; throws VeldrinError with
// the reason when it cannot.
void WriteSettingsFile(const QString& path, const AppSettings& settings);

} // namespace veldrin
