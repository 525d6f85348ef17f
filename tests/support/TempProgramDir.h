// A fresh program folder for one test, removed afterwards.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace veldrin::test {

class TempProgramDir {
public:
    TempProgramDir();

    QString path() const { return m_dir.path(); }
    // A path below the folder.
    QString file(const QString& relative) const { return m_dir.filePath(relative); }

    // Writes a file below the folder, creating the folders on the way.
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    void mkdir(const QString& relative) const;
    // Copies the shipped sample configuration's ParGen.xml and ModbusM_SetAccess.xml into the
    // folder relative, and gives its path.
    QString copySample(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};

} // namespace veldrin::test
