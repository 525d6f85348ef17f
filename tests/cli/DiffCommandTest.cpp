#include "CliRun.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

test::CliRun cli(const QStringList& args)
{
    return test::RunCliCapturing(args, QString());
}

TEST(DiffCommand, ExitsWithZeroWhenEqualOneWhenDifferentTwoWhenUnreadable)
{
    test::TempProgramDir dir;
    const QString a = dir.copySample(QStringLiteral("a"));
    const QString b = dir.copySample(QStringLiteral("b"));
    const test::CliRun same = cli({"diff", a, b});
    EXPECT_EQ(same.code, 0) << same.err.toStdString();
    EXPECT_TRUE(same.out.contains(QStringLiteral("No differences")));

    QByteArray tables = dir.read(QStringLiteral("b/ModbusM_SetAccess.xml"));
    tables.replace("Tank levels", "Tank level");
    dir.write(QStringLiteral("b/ModbusM_SetAccess.xml"), tables);
    const test::CliRun text = cli({"diff", a, b});
    EXPECT_EQ(text.code, 1);
    EXPECT_TRUE(
        text.out.contains(QStringLiteral("row 1 changed: Mnemonic \"Tank levels\" -> \"Tank level\"")))
        << text.out.toStdString();

    const test::CliRun json = cli({"diff", a, b, "--json"});
    EXPECT_EQ(json.code, 1);
    const QJsonObject report = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_FALSE(report[QStringLiteral("equal")].toBool());
    const QJsonObject row = report[QStringLiteral("rows")].toArray().at(0).toObject();
    EXPECT_EQ(row[QStringLiteral("table")].toString(), QStringLiteral("read"));
    EXPECT_EQ(row[QStringLiteral("row")].toInt(), 1);
    EXPECT_EQ(row[QStringLiteral("change")].toString(), QStringLiteral("changed"));
    EXPECT_EQ(row[QStringLiteral("fields")].toArray().at(0).toObject()[QStringLiteral("after")].toString(),
              QStringLiteral("Tank level"));

    // Nothing in common, or not readable: 2.
    dir.write(QStringLiteral("images/bank.bin"), QByteArray(26, '\0'));
    EXPECT_EQ(cli({"diff", a, dir.file(QStringLiteral("images"))}).code, 2);
    EXPECT_EQ(cli({"diff", a, dir.file(QStringLiteral("missing"))}).code, 2);
    dir.write(QStringLiteral("broken/ParGen.xml"), "<GeneralParameter>");
    EXPECT_EQ(cli({"diff", a, dir.file(QStringLiteral("broken"))}).code, 2);
}

} // namespace
} // namespace veldrin
