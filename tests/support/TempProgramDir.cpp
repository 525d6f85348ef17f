#include "support/TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace veldrin::test {

TempProgramDir::TempProgramDir()
{
    if (!m_dir.isValid())
        ADD_FAILURE() << "cannot create a temporary folder";
}

void TempProgramDir::write(const QString& relative, const QByteArray& bytes) const
{
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

QByteArray TempProgramDir::read(const QString& relative) const
{
    QFile in(file(relative));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

void TempProgramDir::mkdir(const QString& relative) const
{
    QDir().mkpath(file(relative));
}

} // namespace veldrin::test
