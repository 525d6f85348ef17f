// The one way the system writes a file: whole or not at all, with the reason on failure.
#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

class QIODevice;

namespace veldrin {

// Writes every byte of data to device; throws VeldrinError naming fileName and the
// device's reason when a write fails or falls short.
void WriteAll(QIODevice& device, const QByteArray& data, const QString& fileName);

// Replaces the file at path by data atomically: on any failure the previous file stays
// whole and VeldrinError says which file and why.
void WriteFileAtomically(const QString& path, const QByteArray& data);

// Replaces several files that belong together (path, data): every new file is written whole
// beside its target first, and only when all of them are written are they put in place, in
// order. A failure while writing (a full disk, a target that is a folder) leaves every
// previous file as it was; only a failure to put a later file in place after an earlier one
// leaves the earlier one new. VeldrinError says which file and why.
void WriteFilesAtomically(const std::vector<std::pair<QString, QByteArray>>& files);

} // namespace veldrin
