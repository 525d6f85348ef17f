// The one way the system writes a file: whole or not at all, with the reason on failure.
#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace veldrin {

// Writes every byte of data to device; throws VeldrinError naming fileName and the
// device's reason when a write fails or falls short.
void WriteAll(QIODevice& device, const QByteArray& data, const QString& fileName);

// Replaces the file at path by data atomically: on any failure the previous file stays
// whole and VeldrinError says which file and why.
void WriteFileAtomically(const QString& path, const QByteArray& data);

} // namespace veldrin
