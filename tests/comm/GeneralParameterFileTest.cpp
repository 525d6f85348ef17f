#include "comm/GeneralParameterFile.h"

#include "CommTestSupport.h"
#include "common/VeldrinError.h"
#include "support/TempProgramDir.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace veldrin {
namespace {

TEST(ParGenFile, NoFileGivesTheDefaultsAndTheyWriteTheDefaultFile)
{
    test::TempProgramDir dir;
    const GeneralParameter record = ReadGeneralParameter(dir.file(QStringLiteral("ParGen.xml")));
    EXPECT_EQ(record, GeneralParameter{});
    EXPECT_EQ(record.Baud_Rate, 7);
    EXPECT_EQ(record.PORT, QStringLiteral("10001"));

    WriteGeneralParameter(dir.file(QStringLiteral("ParGen.xml")), record);
    EXPECT_EQ(dir.read(QStringLiteral("ParGen.xml")), test::ReadDataFile("pargen-defaults.xml"));
}

TEST(ParGenFile, WhatIsWrittenReadsBackUnchanged)
{
    test::TempProgramDir dir;
    GeneralParameter record;
    record.Device_Type = 1;
    record.IP1 = QStringLiteral(" 192");
    record.IP2 = QString();
    record.IP3 = QStringLiteral(" ");
    record.SUB4 = QStringLiteral("$FF");
    record.GAT3 = QStringLiteral("a<b&\"c\"");
    record.EN_GAT = true;
    record.PORT = QStringLiteral("+0010001");
    record.PROT_TYPE = 1;
    record.Sel_Ser = 1;
    record.Baud_Rate = 9; // outside its list, kept as it is
    record.Parity = 2;
    record.Time_Out = QStringLiteral("x10");
    record.Comm_Idle = QStringLiteral("\u00e8 idle");
    record.Ser_Prot = 1;
    record.Ser_StopBits = 1;
    const QString path = dir.file(QStringLiteral("ParGen.xml"));
    WriteGeneralParameter(path, record);
    EXPECT_EQ(ReadGeneralParameter(path), record);
}

struct ReadCase {
    const char* file;
    std::function<void(GeneralParameter&)> expected; // applied to the defaults
};

class ParGenReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ParGenReading, FollowsTheRulesOfEachField)
{
    GeneralParameter expected;
    GetParam().expected(expected);
    EXPECT_EQ(ReadGeneralParameter(test::DataFile(GetParam().file)), expected) << GetParam().file;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ParGenReading,
    ::testing::Values(ReadCase{"pargen-defaults.xml",
                               [](GeneralParameter&) {
                               }},
                      ReadCase{"pargen-only-baud-rate-letters.xml",
                               [](GeneralParameter&) {
                               }},
                      ReadCase{"pargen-ser-prot-4.xml",
                               [](GeneralParameter& r) {
                                   r.Ser_Prot = 1;
                               }},
                      ReadCase{"pargen-ser-prot-2.xml",
                               [](GeneralParameter&) {
                               }},
                      ReadCase{"pargen-en-gat-true.xml",
                               [](GeneralParameter&) {
                               }},
                      ReadCase{"pargen-en-gat-01.xml",
                               [](GeneralParameter&) {
                               }},
                      ReadCase{"pargen-device-type-letters.xml",
                               [](GeneralParameter& r) {
                                   r.IP2 = QStringLiteral("10");
                               }},
                      ReadCase{"pargen-empty-ip1.xml",
                               [](GeneralParameter& r) {
                                   r.Device_Type = 1;
                                   r.IP1 = QString();
                                   r.IP2 = QString();
                               }},
                      // The first node is the root, so nothing below the real root is found.
                      ReadCase{"pargen-declaration-first.xml",
                               [](GeneralParameter&) {
                               }},
                      ReadCase{"pargen-comment-first.xml",
                               [](GeneralParameter&) {
                               }},
                      ReadCase{"pargen-other-order-extra-elements.xml",
                               [](GeneralParameter& r) {
                                   r.Ser_StopBits = 1;
                                   r.Comm_Idle = QStringLiteral(" 50");
                                   r.Device_Type = 1;
                                   r.PORT = QStringLiteral("$1F");
                                   r.EN_GAT = true;
                                   r.GAT3 = QStringLiteral("abc");
                                   r.Baud_Rate = 4;
                                   r.IP1 = QStringLiteral("10"); // the first of two
                               }},
                      ReadCase{"pargen-list-index-out-of-range.xml", [](GeneralParameter& r) {
                                   r.Baud_Rate = 9;
                                   r.Parity = -1;
                                   r.Device_Type = 2;
                               }}));

TEST(ParGenFile, TheNextWriteRestoresTheOrderAndDropsOtherElements)
{
    test::TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("ParGen.xml"));
    QFile::copy(test::DataFile("pargen-other-order-extra-elements.xml"), path);
    WriteGeneralParameter(path, ReadGeneralParameter(path));
    EXPECT_EQ(dir.read(QStringLiteral("ParGen.xml")),
              QByteArray(
                  "<GeneralParameter><Device_Type>1</Device_Type><IP1>10</IP1><IP2>168</IP2><IP3>0</IP3>"
                  "<IP4>5</IP4><SUB1>255</SUB1><SUB2>255</SUB2><SUB3>255</SUB3><SUB4>0</SUB4><GAT1>192</GAT1>"
                  "<GAT2>168</GAT2><GAT3>abc</GAT3><GAT4>1</GAT4><EN_GAT>1</EN_GAT><PORT>$1F</PORT>"
                  "<PROT_TYPE>0</PROT_TYPE><Sel_Ser>0</Sel_Ser><Baud_Rate>4</Baud_Rate><Parity>0</Parity>"
                  "<Time_Out>1000</Time_Out><Comm_Idle> 50</Comm_Idle><Ser_Prot>0</Ser_Prot>"
                  "<Ser_StopBits>1</Ser_StopBits></GeneralParameter><!--SW_VERSION = 2.003-->"));

    // Modbus ASCII read from a 4 is written as 1.
    QFile::remove(path);
    QFile::copy(test::DataFile("pargen-ser-prot-4.xml"), path);
    WriteGeneralParameter(path, ReadGeneralParameter(path));
    EXPECT_TRUE(dir.read(QStringLiteral("ParGen.xml")).contains("<Ser_Prot>1</Ser_Prot>"));
}

TEST(ParGenFile, AFileThatIsNotWellFormedIsReportedWithItsNameAndPlace)
{
    try {
        ReadGeneralParameter(test::DataFile("pargen-not-well-formed.xml"));
        FAIL() << "no error";
    } catch (const VeldrinError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("pargen-not-well-formed.xml"))) << error.what();
        EXPECT_TRUE(error.message().contains(QStringLiteral("line 4"))) << error.what();
    }
}

TEST(ParGenFile, AFailedWriteIsReportedAndLeavesThePreviousFile)
{
    test::TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("ParGen.xml"));
    QFile::copy(test::DataFile("pargen-defaults.xml"), path);
    const QByteArray before = dir.read(QStringLiteral("ParGen.xml"));

    // A text XML cannot carry: refused before anything is written, naming the file.
    GeneralParameter record;
    record.Comm_Idle = QStringLiteral("1\u0001");
    try {
        WriteGeneralParameter(path, record);
        FAIL() << "no error";
    } catch (const VeldrinError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("ParGen.xml"))) << error.what();
        EXPECT_TRUE(error.message().contains(QStringLiteral("Comm_Idle"))) << error.what();
    }
    EXPECT_EQ(dir.read(QStringLiteral("ParGen.xml")), before);

    // The configuration's folder is gone.
    EXPECT_THROW(WriteGeneralParameter(dir.file(QStringLiteral("gone/ParGen.xml")), GeneralParameter{}),
                 VeldrinError);
}

} // namespace
} // namespace veldrin
