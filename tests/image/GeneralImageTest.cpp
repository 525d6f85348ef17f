#include "image/GeneralImage.h"

#include "common/VeldrinError.h"
#include "image/ImageFiles.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using test::ConfigDir;
using test::Hex;
using test::ParGenFile;

// Every field at its fallback: what a file without usable elements gives.
const QByteArray FallbackImage =
    Hex("04 00 00 00 C0 A8 00 0A FF FF FF FF C0 A8 00 01 00 11 27 00 03 00 E8 03 00 00");

TEST(GeneralImage, TheDialogsDefaultFileGivesItsTwentySixBytes)
{
    ConfigDir dir;
    dir.writeParGen(ParGenFile());
    EXPECT_EQ(BuildGeneralImage(dir.parGen()),
              Hex("04 00 00 00 C0 A8 00 05 FF FF FF 00 C0 A8 00 01 00 11 27 00 07 00 E8 03 00 00"));
}

TEST(GeneralImage, WithoutParGenItIsTheHeaderAlone)
{
    ConfigDir dir;
    EXPECT_EQ(BuildGeneralImage(dir.parGen()), Hex("04 00 00 00"));
}

class GeneralImageFallbackFile : public testing::TestWithParam<const char*> {};

TEST_P(GeneralImageFallbackFile, GivesEveryFallback)
{
    EXPECT_EQ(BuildGeneralImage(test::DataDir() + QStringLiteral("/image/") + QLatin1String(GetParam())),
              FallbackImage);
}

// A declaration or comment first is the root, so none of the file's elements is found.
INSTANTIATE_TEST_SUITE_P(Files, GeneralImageFallbackFile,
                         testing::Values("pargen-root-without-children.xml", "pargen-declaration-first.xml",
                                         "pargen-comment-first.xml"));

TEST(GeneralImage, AFileThatDoesNotLoadStopsTheCompile)
{
    for (const char* name : {"pargen-not-well-formed.xml", "pargen-empty-file.xml"}) {
        try {
            BuildGeneralImage(test::DataDir() + QStringLiteral("/image/") + QLatin1String(name));
            ADD_FAILURE() << name << " compiled";
        } catch (const VeldrinError& error) {
            EXPECT_TRUE(error.message().contains(QLatin1String(name))) << error.what();
        }
    }
}

struct FieldCase {
    const char* element;
    std::optional<const char*> text; // nothing: the element is missing
    int offset;
    const char* bytes;
};

void PrintTo(const FieldCase& c, std::ostream* os)
{
    *os << c.element << '=' << (c.text ? *c.text : "(missing)");
}

class GeneralImageField : public testing::TestWithParam<FieldCase> {};

TEST_P(GeneralImageField, IsStoredAsTheTableSays)
{
    const FieldCase& c = GetParam();
    ConfigDir dir;
    const std::optional<QString> text =
        c.text ? std::optional<QString>(QString::fromUtf8(*c.text)) : std::nullopt;
    dir.writeParGen(ParGenFile({{QString::fromLatin1(c.element), text}}));
    const QByteArray image = BuildGeneralImage(dir.parGen());
    ASSERT_EQ(image.size(), 26);
    const QByteArray expected = Hex(c.bytes);
    EXPECT_EQ(image.mid(c.offset, expected.size()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, GeneralImageField,
    testing::Values(
        // Bytes keep the low 8 bits, 16-bit fields the low 16, two's complement below zero.
        FieldCase{"IP1", "-1", 4, "FF"}, FieldCase{"IP1", "300", 4, "2C"}, FieldCase{"IP1", "$7f", 4, "7F"},
        FieldCase{"IP1", "192 ", 4, "C0"}, FieldCase{"IP1", " 10", 4, "0A"}, FieldCase{"IP1", "", 4, "C0"},
        FieldCase{"Time_Out", "100000", 22, "A0 86"}, FieldCase{"PORT", "70000", 17, "70 11"},
        FieldCase{"PORT", "-1", 17, "FF FF"},
        // The image's own fallbacks, not the dialog's defaults.
        FieldCase{"IP4", std::nullopt, 7, "0A"}, FieldCase{"IP4", "five", 7, "0A"},
        FieldCase{"SUB4", std::nullopt, 11, "FF"}, FieldCase{"Baud_Rate", std::nullopt, 20, "03"},
        FieldCase{"Time_Out", std::nullopt, 22, "E8 03"}, FieldCase{"PORT", "x", 17, "11 27"},
        // The gateway is stored whether or not it is enabled; EN_GAT is an integer here.
        FieldCase{"EN_GAT", "1", 12, "C0 A8 00 01 01"}, FieldCase{"EN_GAT", "01", 16, "01"},
        FieldCase{"EN_GAT", "yes", 16, "00"}, FieldCase{"EN_GAT", "2", 16, "02"},
        // The list index, not the rate.
        FieldCase{"Baud_Rate", "7", 20, "07"}, FieldCase{"Baud_Rate", "9", 20, "09"},
        FieldCase{"PROT_TYPE", "1", 19, "01"}, FieldCase{"Parity", "2", 21, "02"},
        FieldCase{"Sel_Ser", "1", 24, "01"},
        // Modbus ASCII when the low 8 bits are 1 or 4.
        FieldCase{"Ser_Prot", "1", 25, "01"}, FieldCase{"Ser_Prot", "4", 25, "01"},
        FieldCase{"Ser_Prot", "260", 25, "01"}, FieldCase{"Ser_Prot", "2", 25, "00"},
        FieldCase{"Ser_Prot", "abc", 25, "00"}, FieldCase{"Ser_Prot", "-255", 25, "01"}));

TEST(GeneralImage, OtherElementsChangeNothing)
{
    ConfigDir dir;
    dir.writeParGen(
        ParGenFile({{"Device_Type", "1"}, {"Comm_Idle", "5"}, {"Ser_StopBits", "1"}, {"Extra", "9"}}));
    const QByteArray changed = BuildGeneralImage(dir.parGen());
    dir.writeParGen(ParGenFile());
    EXPECT_EQ(changed, BuildGeneralImage(dir.parGen()));
}

TEST(GeneralImage, DecodingGivesBackEveryField)
{
    GeneralImageFields fields;
    fields.IP = {10, 1, 2, 3};
    fields.SUB = {255, 255, 0, 0};
    fields.GAT = {10, 1, 0, 254};
    fields.EN_GAT = 1;
    fields.PORT = 502;
    fields.PROT_TYPE = 1;
    fields.Baud_Rate = 6;
    fields.Parity = 1;
    fields.Time_Out = 65535;
    fields.Sel_Ser = 1;
    fields.Ser_Prot = 1;
    const DecodedGeneralImage decoded = DecodeGeneralImage(EncodeGeneralImage(fields));
    EXPECT_EQ(decoded.Header, 4u);
    ASSERT_TRUE(decoded.Fields.has_value());
    EXPECT_EQ(*decoded.Fields, fields);

    EXPECT_FALSE(DecodeGeneralImage(Hex("04 00 00 00")).Fields.has_value());
    EXPECT_THROW(DecodeGeneralImage(QByteArray(25, '\0')), VeldrinError);
}

} // namespace
} // namespace veldrin
