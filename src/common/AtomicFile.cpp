#include "common/AtomicFile.h"

#include "common/VeldrinError.h"

#include <QDir>
#include <QSaveFile>

namespace veldrin {
namespace {

QString cannotWrite(const QString& fileName, const QString& reason)
{
    return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(fileName), reason);
}

} // namespace

void WriteAll(QIODevice& device, const QByteArray& data, const QString& fileName)
{
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 written = device.write(data.constData() + done, data.size() - done);
        if (written <= 0) {
            const QString reason = device.errorString().isEmpty() ? QStringLiteral("the write fell short")
                                                                  : device.errorString();
            throw VeldrinError(cannotWrite(fileName, reason));
        }
        done += written;
    }
}

void WriteFileAtomically(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    // Never fall back to writing the target in place: that is what tears a good file.
    file.setDirectWriteFallback(false);
    // Unbuffered, so a short write shows at the write that fell short, not never.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw VeldrinError(cannotWrite(path, file.errorString()));
    try {
        WriteAll(file, data, path);
    } catch (...) {
        file.cancelWriting();
        throw;
    }
    if (!file.commit())
        throw VeldrinError(cannotWrite(path, file.errorString()));
}

} // namespace veldrin
