#include "update/LoadHistory.h"

#include "support/ErrorOf.h"
#include "support/TempProgramDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

LoadRecord serialLoad(const QDateTime& time)
{
    return {time, LoadRecord::Route::Serial, QStringLiteral("/dev/ttyUSB0"), {true, false, true, true}, 0};
}

const QDateTime Noon(QDate(2026, 12, 10), QTime(12, 0, 5), Qt::UTC);

TEST(LoadHistory, KeepsTheFilesAsTheyWereAndANoteOfTheLoad)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("Plant/ParGen.xml"), "<GeneralParameter/>");
    dir.write(QStringLiteral("Plant/ModbusM_SetAccess.xml"), "<EtherNetIP_to_Modbus/>");
    dir.write(QStringLiteral("Plant/bin/bank.bin"), QByteArray(26, '\x07'));
    const QString config = dir.file(QStringLiteral("Plant"));

    const QString entry = RecordLoad(config, serialLoad(Noon));
    EXPECT_EQ(entry, config + QStringLiteral("/history/20261210T120005Z"));
    EXPECT_EQ(dir.read(QStringLiteral("Plant/history/20261210T120005Z/ParGen.xml")), "<GeneralParameter/>");
    EXPECT_EQ(dir.read(QStringLiteral("Plant/history/20261210T120005Z/bank.bin")), QByteArray(26, '\x07'));
    EXPECT_FALSE(QFile::exists(entry + QStringLiteral("/bank2.bin"))) << "an image that is not there";

    const QJsonObject note =
        QJsonDocument::fromJson(dir.read(QStringLiteral("Plant/history/20261210T120005Z/load.json")))
            .object();
    EXPECT_EQ(note[QStringLiteral("time")].toString(), QStringLiteral("2026-12-10T12:00:05Z"));
    EXPECT_EQ(note[QStringLiteral("route")].toString(), QStringLiteral("serial"));
    EXPECT_EQ(note[QStringLiteral("port")].toString(), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(note[QStringLiteral("exitCode")].toInt(), 0);
    const QJsonObject options = note[QStringLiteral("options")].toObject();
    EXPECT_TRUE(options[QStringLiteral("firmware")].toBool());
    EXPECT_FALSE(options[QStringLiteral("readFirmware")].toBool());
    const QJsonArray images = note[QStringLiteral("images")].toArray();
    ASSERT_EQ(images.size(), 1);
    EXPECT_EQ(images[0].toObject()[QStringLiteral("file")].toString(), QStringLiteral("bank.bin"));
    EXPECT_EQ(images[0].toObject()[QStringLiteral("size")].toInt(), 26);
    EXPECT_EQ(images[0].toObject()[QStringLiteral("sha256")].toString(),
              QString::fromLatin1(
                  QCryptographicHash::hash(QByteArray(26, '\x07'), QCryptographicHash::Sha256).toHex()));
}

TEST(LoadHistory, NamesEntriesByTimeAndKeepsTheNewestFifty)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("Plant/ParGen.xml"), "<GeneralParameter/>");
    const QString config = dir.file(QStringLiteral("Plant"));
    // A leftover of an interrupted write is neither listed nor kept.
    dir.write(QStringLiteral("Plant/history/.partial-20261210T110000Z/ParGen.xml"), "half");

    // Eleven loads in the same second, then more, a minute apart, past the limit.
    for (int i = 0; i < 11; ++i)
        RecordLoad(config, serialLoad(Noon));
    QStringList names;
    for (const QString& entry : HistoryEntries(config))
        names.append(QDir(entry).dirName());
    EXPECT_EQ(names.first(), QStringLiteral("20261210T120005Z"));
    EXPECT_EQ(names[1], QStringLiteral("20261210T120005Z-2"));
    EXPECT_EQ(names.last(), QStringLiteral("20261210T120005Z-11"));
    EXPECT_FALSE(QDir(config + QStringLiteral("/history/.partial-20261210T110000Z")).exists());

    for (int i = 1; i <= HistoryLimit; ++i)
        RecordLoad(config, serialLoad(Noon.addSecs(60 * i)));
    const QStringList kept = HistoryEntries(config);
    ASSERT_EQ(kept.size(), HistoryLimit);
    EXPECT_EQ(QDir(kept.first()).dirName(), QStringLiteral("20261210T120105Z")) << "the oldest went first";
    EXPECT_EQ(QDir(kept.last()).dirName(), QStringLiteral("20261210T125005Z"));
}

TEST(LoadHistory, AnEntryThatCannotBeWrittenLeavesNothingBehind)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("Plant/ParGen.xml"), "<GeneralParameter/>");
    const QString config = dir.file(QStringLiteral("Plant"));
    dir.write(QStringLiteral("Plant/history"), "a file where the folder goes");
    EXPECT_TRUE(
        test::ErrorOf([&] { RecordLoad(config, serialLoad(Noon)); }).contains(QStringLiteral("history")));
    // A configuration whose folder is gone is not brought back by its history.
    const QString gone = dir.file(QStringLiteral("Gone"));
    EXPECT_TRUE(test::ErrorOf([&] {
                    RecordLoad(gone, serialLoad(Noon));
                }).contains(QStringLiteral("no longer exists")));
    EXPECT_FALSE(QDir(gone).exists());
}

} // namespace
} // namespace veldrin
