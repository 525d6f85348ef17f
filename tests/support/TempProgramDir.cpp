#include "support/TempProgramDir.h"

#include "support/TestData.h"

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

QString TempProgramDir::copySample(const QString& relative) const
{
    for (const char* name : {"ParGen.xml", "ModbusM_SetAccess.xml"}) {
        QFile sample(SamplesDir() + QStringLiteral("/Demo/") + QLatin1String(name));
        if (!sample.open(QIODevice::ReadOnly))
            ADD_FAILURE() << "cannot read the sample's " << name;
        write(relative + u'/' + QLatin1String(name), sample.readAll());
    }
    return file(relative);
}

} // namespace veldrin::test
