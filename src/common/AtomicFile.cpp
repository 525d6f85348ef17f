#include "common/AtomicFile.h"

#include "common/VeldrinError.h"

#include <QDir>
#include <QSaveFile>

#include <memory>

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
    WriteFilesAtomically({{path, data}});
}

void WriteFilesAtomically(const std::vector<std::pair<QString, QByteArray>>& files)
{
    // An uncommitted QSaveFile removes its temporary file when destroyed, so leaving this
    // function by an exception discards every new file that is not yet in place.
    std::vector<std::unique_ptr<QSaveFile>> written;
    for (const auto& [path, data] : files) {
        auto file = std::make_unique<QSaveFile>(path);
        // Never fall back to writing the target in place: that is what tears a good file.
        file->setDirectWriteFallback(false);
        // Unbuffered, so a short write shows at the write that fell short, not never.
        if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            throw VeldrinError(cannotWrite(path, file->errorString()));
        try {
            WriteAll(*file, data, path);
        } catch (...) {
            file->cancelWriting();
            throw;
        }
        written.push_back(std::move(file));
    }
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (!written[i]->commit())
            throw VeldrinError(cannotWrite(files[i].first, written[i]->errorString()));
    }
}

} // namespace veldrin
