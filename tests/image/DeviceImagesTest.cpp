#include "image/DeviceImages.h"

#include "common/VeldrinError.h"
#include "common/XmlDoc.h"
#include "image/ImageFiles.h"
#include "image/ImageLayout.h"
#include "support/TestData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using test::ConfigDir;
using test::Hex;
using test::ParGenFile;
using test::ReadRow;
using test::SetAccessFile;
using test::WriteRow;

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString dataFile(const char* name)
{
    return test::DataDir() + QStringLiteral("/image/") + QLatin1String(name);
}

// Every entry of a folder, hidden ones too, so a left-over temporary file shows.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

TEST(DeviceImages, WithoutEitherFileBothImagesHoldOnlyDefaults)
{
    ConfigDir dir;
    const DeviceImages images = CompileDeviceImages(dir.parGen(), dir.setAccess());
    EXPECT_EQ(images.GeneralImage, Hex("04 00 00 00"));
    ASSERT_EQ(images.RequestImage.size(), RequestImageSize);
    EXPECT_EQ(images.RequestImage.left(RequestRecordsSize), QByteArray(RequestRecordsSize, '\0'));
    EXPECT_EQ(images.RequestImage.right(4), Hex("EC 0B 00 00")); // 3052
}

TEST(DeviceImages, OneReadAndOneWriteRowStoreTheirCountsInTheBlock)
{
    ConfigDir dir;
    dir.writeParGen(ParGenFile());
    dir.writeSetAccess(readFile(dataFile("setaccess-two-rows-good.xml")));
    const DeviceImages images = CompileDeviceImages(dir.parGen(), dir.setAccess());
    EXPECT_EQ(images.Counts, (RequestCounts{2, 2}));
    EXPECT_EQ(images.RequestImage.mid(0x8048, 4), Hex("02 00 00 00"));
    EXPECT_EQ(images.RequestImage.mid(0x81A4, 4), Hex("02 00 00 00"));
    EXPECT_EQ(images.RequestImage.right(4), Hex("E7 0D 00 00")); // 3559
    EXPECT_EQ(images.GeneralImage.size(), GeneralImageSize);
}

TEST(DeviceImages, TheChecksumDoesNotCoverTheRecords)
{
    ConfigDir dir;
    dir.writeSetAccess(SetAccessFile({ReadRow()}, {WriteRow()}));
    const QByteArray before = CompileDeviceImages(dir.parGen(), dir.setAccess()).RequestImage;
    dir.writeSetAccess(SetAccessFile({ReadRow({{"Address", "101"}})}, {WriteRow({{"PollTime", "9"}})}));
    const QByteArray after = CompileDeviceImages(dir.parGen(), dir.setAccess()).RequestImage;
    EXPECT_NE(before.left(RequestRecordsSize), after.left(RequestRecordsSize));
    EXPECT_EQ(before.mid(RequestRecordsSize), after.mid(RequestRecordsSize));
}

TEST(DeviceImages, TheSameFilesGiveTheSameBytesWhateverWasCompiledBefore)
{
    ConfigDir full;
    full.writeParGen(ParGenFile({{"IP1", "10"}, {"EN_GAT", "1"}, {"Baud_Rate", "2"}}));
    full.writeSetAccess(SetAccessFile(std::vector<test::Attributes>(512, ReadRow()),
                                      std::vector<test::Attributes>(512, WriteRow())));
    ConfigDir small;
    small.writeSetAccess(SetAccessFile({ReadRow()}, {}));

    const DeviceImages first = CompileDeviceImages(small.parGen(), small.setAccess());
    const DeviceImages other = CompileDeviceImages(full.parGen(), full.setAccess());
    const DeviceImages again = CompileDeviceImages(small.parGen(), small.setAccess());
    EXPECT_EQ(first.GeneralImage, again.GeneralImage);
    EXPECT_EQ(first.RequestImage, again.RequestImage);
    EXPECT_EQ(other.RequestImage, CompileDeviceImages(full.parGen(), full.setAccess()).RequestImage);
}

TEST(DeviceImages, WritingCreatesAMissingBinFolderAndReplacesEarlierImages)
{
    ConfigDir dir;
    dir.writeParGen(ParGenFile());
    const DeviceImages images = CompileConfigurationImages(dir.parGen(), dir.setAccess(), dir.bin());
    EXPECT_EQ(readFile(dir.bin() + QStringLiteral("/bank.bin")), images.GeneralImage);
    EXPECT_EQ(readFile(dir.bin() + QStringLiteral("/bank2.bin")), images.RequestImage);

    dir.writeSetAccess(SetAccessFile({ReadRow()}, {}));
    QFile::remove(dir.parGen());
    const DeviceImages next = CompileConfigurationImages(dir.parGen(), dir.setAccess(), dir.bin());
    EXPECT_EQ(readFile(dir.bin() + QStringLiteral("/bank.bin")), Hex("04 00 00 00"));
    EXPECT_EQ(readFile(dir.bin() + QStringLiteral("/bank2.bin")), next.RequestImage);
    EXPECT_EQ(entries(dir.bin()), (QStringList{QStringLiteral("bank.bin"), QStringLiteral("bank2.bin")}));
}

// A configuration whose bin folder holds the images of an earlier compile.
class EarlierImages : public testing::Test {
protected:
    void SetUp() override
    {
        dir.write(QStringLiteral("bin/bank.bin"), "earlier bank");
        dir.write(QStringLiteral("bin/bank2.bin"), "earlier bank2");
    }

    void expectEarlierImagesUntouched() const
    {
        EXPECT_EQ(dir.read(QStringLiteral("bin/bank.bin")), QByteArray("earlier bank"));
        EXPECT_EQ(dir.read(QStringLiteral("bin/bank2.bin")), QByteArray("earlier bank2"));
        EXPECT_EQ(entries(dir.bin()), (QStringList{QStringLiteral("bank.bin"), QStringLiteral("bank2.bin")}));
    }

    ConfigDir dir;
};

struct BrokenConfiguration {
    const char* parGen;    // a file under tests/data/image, or nullptr for the default file
    const char* setAccess; // likewise, or nullptr for setaccess-two-rows-good.xml
    const char* says;
};

void PrintTo(const BrokenConfiguration& c, std::ostream* os)
{
    *os << (c.parGen ? c.parGen : "") << ' ' << (c.setAccess ? c.setAccess : "");
}

class CompileStops : public EarlierImages, public testing::WithParamInterface<BrokenConfiguration> {};

TEST_P(CompileStops, AndLeavesTheEarlierImagesUntouched)
{
    const BrokenConfiguration& c = GetParam();
    dir.writeParGen(c.parGen ? readFile(dataFile(c.parGen)) : ParGenFile());
    dir.writeSetAccess(readFile(dataFile(c.setAccess ? c.setAccess : "setaccess-two-rows-good.xml")));
    try {
        CompileConfigurationImages(dir.parGen(), dir.setAccess(), dir.bin());
        FAIL() << "compiled";
    } catch (const VeldrinError& error) {
        EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.says))) << error.what();
    }
    expectEarlierImagesUntouched();
}

INSTANTIATE_TEST_SUITE_P(
    Files, CompileStops,
    testing::Values(
        BrokenConfiguration{"pargen-not-well-formed.xml", nullptr,
                            "ParGen.xml is not well-formed XML: line 1"},
        BrokenConfiguration{"pargen-empty-file.xml", nullptr, "ParGen.xml is not well-formed XML"},
        BrokenConfiguration{nullptr, "setaccess-coil-row-without-bit.xml",
                            "ModbusM_SetAccess.xml, Modbus_Read row 3: attribute Bit is missing"},
        BrokenConfiguration{nullptr, "setaccess-poll-time-not-a-number.xml",
                            "Modbus_Write row 2: attribute PollTime"},
        BrokenConfiguration{nullptr, "setaccess-empty-slave-id.xml", "attribute Slave_ID is empty"},
        BrokenConfiguration{nullptr, "setaccess-modbus-write-missing.xml", "section Modbus_Write is missing"},
        BrokenConfiguration{nullptr, "setaccess-declaration-first.xml", "section Modbus_Read is missing"},
        BrokenConfiguration{nullptr, "setaccess-text-among-rows.xml", "Modbus_Read row 2"}));

TEST_F(EarlierImages, TooManyRowsStopTheCompile)
{
    dir.writeSetAccess(SetAccessFile(std::vector<test::Attributes>(1025, ReadRow()), {}));
    EXPECT_THROW(CompileConfigurationImages(dir.parGen(), dir.setAccess(), dir.bin()), VeldrinError);
    expectEarlierImagesUntouched();
}

TEST_F(EarlierImages, AFolderWhereAnImageShouldBeIsReportedAndNothingIsReplaced)
{
    QFile::remove(dir.file(QStringLiteral("bin/bank2.bin")));
    dir.mkdir(QStringLiteral("bin/bank2.bin"));
    try {
        CompileConfigurationImages(dir.parGen(), dir.setAccess(), dir.bin());
        FAIL() << "a write over a folder was taken for success";
    } catch (const VeldrinError& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Cannot write into ") + dir.bin() +
                                               QStringLiteral(": it holds bank2.bin, which is not a file")))
            << error.what();
    }
    EXPECT_EQ(dir.read(QStringLiteral("bin/bank.bin")), QByteArray("earlier bank"));
}

TEST(DeviceImages, AFileWhereTheBinFolderShouldBeIsReported)
{
    ConfigDir dir;
    dir.write(QStringLiteral("bin"), "not a folder");
    try {
        CompileConfigurationImages(dir.parGen(), dir.setAccess(), dir.bin());
        FAIL() << "a write into a file was taken for success";
    } catch (const VeldrinError& error) {
        EXPECT_EQ(
            error.message(),
            QStringLiteral("Cannot write the device images: %1 is a file, not a folder").arg(dir.bin()));
    }
    EXPECT_EQ(dir.read(QStringLiteral("bin")), QByteArray("not a folder"));

    // A file on the way to the folder leaves nothing to create it in.
    try {
        CompileConfigurationImages(dir.parGen(), dir.setAccess(), dir.file(QStringLiteral("bin/deeper")));
        FAIL() << "a folder below a file was taken for created";
    } catch (const VeldrinError& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Cannot create the folder "))) << error.what();
    }
}

// Run by its own CTest entry on a 64 KiB file system (VELDRIN_TINY_FS): the new bank2.bin
// does not fit beside the earlier pair, so neither earlier image may change.
TEST(DeviceImagesFullDisk, AFullDiskIsReportedAndBothEarlierImagesStayWhole)
{
    const QString tiny = qEnvironmentVariable("VELDRIN_TINY_FS");
    if (tiny.isEmpty())
        GTEST_SKIP() << "needs VELDRIN_TINY_FS";
    ConfigDir dir;
    dir.writeParGen(ParGenFile());
    dir.writeSetAccess(SetAccessFile({ReadRow()}, {WriteRow()}));
    const QString bin = tiny + QStringLiteral("/bin");
    CompileConfigurationImages(dir.parGen(), dir.setAccess(), bin);
    const QByteArray bank = readFile(bin + QStringLiteral("/bank.bin"));
    const QByteArray bank2 = readFile(bin + QStringLiteral("/bank2.bin"));

    dir.writeParGen(ParGenFile({{"IP1", "10"}}));
    try {
        CompileConfigurationImages(dir.parGen(), dir.setAccess(), bin);
        FAIL() << "a write to a full disk was taken for success";
    } catch (const VeldrinError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("bank2.bin"))) << error.what();
    }
    EXPECT_EQ(readFile(bin + QStringLiteral("/bank.bin")), bank);
    EXPECT_EQ(readFile(bin + QStringLiteral("/bank2.bin")), bank2);
    EXPECT_EQ(entries(bin), (QStringList{QStringLiteral("bank.bin"), QStringLiteral("bank2.bin")}));
}

// The shipped sample: the files exactly as the two dialogs write them, and they compile.
TEST(DemoConfiguration, IsWrittenAsTheDialogsWriteAndCompiles)
{
    const QString demo = test::SamplesDir() + QStringLiteral("/Demo");
    const QByteArray parGen = readFile(demo + QStringLiteral("/ParGen.xml"));
    const XmlDoc parGenDoc = XmlDoc::Parse(parGen, QStringLiteral("ParGen.xml"));
    test::Changes values;
    for (const XmlNode& element : parGenDoc.root().children())
        values.emplace_back(element.name(), element.text());
    EXPECT_EQ(values.size(), 23u);
    EXPECT_EQ(ParGenFile(values), parGen);

    const QByteArray setAccess = readFile(demo + QStringLiteral("/ModbusM_SetAccess.xml"));
    const XmlDoc setAccessDoc = XmlDoc::Parse(setAccess, QStringLiteral("ModbusM_SetAccess.xml"));
    std::vector<test::Attributes> tables[2];
    const char* const sections[] = {"Modbus_Read", "Modbus_Write"};
    for (int t = 0; t < 2; ++t) {
        for (const XmlNode& row : setAccessDoc.root().child(QLatin1String(sections[t])).children()) {
            test::Attributes attributes = t == 0 ? ReadRow() : WriteRow();
            for (auto& [name, value] : attributes)
                value = row.attribute(name).value_or(QStringLiteral("(missing)"));
            tables[t].push_back(attributes);
        }
    }
    EXPECT_EQ(SetAccessFile(tables[0], tables[1]), setAccess);
    EXPECT_EQ(parGenDoc.root().child(QStringLiteral("Device_Type")).text(), QStringLiteral("1"));

    const DeviceImages images = CompileDeviceImages(demo + QStringLiteral("/ParGen.xml"),
                                                    demo + QStringLiteral("/ModbusM_SetAccess.xml"));
    const auto reads = static_cast<std::uint32_t>(tables[0].size());
    const auto writes = static_cast<std::uint32_t>(tables[1].size());
    EXPECT_GT(reads, 2u);
    EXPECT_GT(writes, 2u);
    EXPECT_EQ(images.Counts, (RequestCounts{reads + writes, reads + 1}));
    EXPECT_TRUE(QFileInfo(demo + QStringLiteral("/bin")).isDir());
}

} // namespace
} // namespace veldrin
