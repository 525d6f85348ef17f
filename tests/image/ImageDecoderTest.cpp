#include "image/ImageDecoder.h"

#include "common/VeldrinError.h"
#include "image/DeviceImages.h"
#include "image/ImageFiles.h"
#include "image/ImageLayout.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using test::ConfigDir;
using test::ReadRow;
using test::SetAccessFile;
using test::WriteRow;

DeviceImages compiled()
{
    ConfigDir dir;
    dir.writeParGen(test::ParGenFile({{"Ser_Prot", "1"}, {"EN_GAT", "1"}}));
    dir.writeSetAccess(
        SetAccessFile({ReadRow(), ReadRow({{"Type", "Coil Status"}, {"Bit", "2"}, {"NPoint", "12"}})},
                      {WriteRow({{"Type", "Holding Register"}, {"NPoint", "3"}})}));
    return CompileDeviceImages(dir.parGen(), dir.setAccess());
}

TEST(ImageDecoder, TellsTheImagesApartBySize)
{
    EXPECT_EQ(ImageKindOfSize(4), ImageKind::General);
    EXPECT_EQ(ImageKindOfSize(26), ImageKind::General);
    EXPECT_EQ(ImageKindOfSize(34816), ImageKind::Request);
    for (qsizetype size : {0, 3, 5, 25, 27, 34815, 34817})
        EXPECT_FALSE(ImageKindOfSize(size).has_value()) << size;
    EXPECT_THROW(DecodeRequestImage(QByteArray(34815, '\0')), VeldrinError);
}

TEST(ImageDecoder, ReadsBackWhatTheCompilerWrote)
{
    const DeviceImages images = compiled();
    const DecodedRequestImage decoded = DecodeRequestImage(images.RequestImage);
    EXPECT_TRUE(decoded.ChecksumOk());
    EXPECT_TRUE(decoded.StrayOffsets.empty());
    EXPECT_EQ(decoded.FilledSlots(), (std::vector<int>{0, 1, 2}));
    EXPECT_FALSE(decoded.IsWriteSlot(1));
    EXPECT_TRUE(decoded.IsWriteSlot(2));
    EXPECT_EQ(decoded.Block.RequestCount, 3u);
    EXPECT_EQ(decoded.Block.FirstWriteRequest, 3u);
    EXPECT_EQ(decoded.Block.SerialAsciiFlag, 1u);
    EXPECT_EQ(decoded.Block.Gateway, (std::array<std::uint8_t, 4>{192, 168, 0, 1}));
    EXPECT_EQ(decoded.Records[1].FunctionCode, 1);
    EXPECT_EQ(decoded.Records[1].Bit, 2);
    EXPECT_EQ(decoded.Records[1].ByteCount, 2);
    EXPECT_EQ(decoded.Records[2].FunctionCode, 16);

    // Encoding what was decoded gives the same image back.
    QByteArray again;
    AppendRequestRecords(again, decoded.Records);
    AppendParameterSection(again, decoded.Block);
    EXPECT_EQ(again, images.RequestImage);
}

TEST(ImageDecoder, FindsAChangedByteAndAWrongChecksum)
{
    QByteArray image = compiled().RequestImage;
    // A reserved byte of slot 0 and the second copy of the port: no field shows them.
    image[14] = 1;
    image[RequestRecordsSize + 56] = static_cast<char>(image[RequestRecordsSize + 56] + 1);
    DecodedRequestImage decoded = DecodeRequestImage(image);
    EXPECT_EQ(decoded.StrayOffsets, (std::vector<qsizetype>{14, RequestRecordsSize + 56}));
    EXPECT_FALSE(decoded.ChecksumOk());
    EXPECT_EQ(decoded.ComputedChecksum, decoded.StoredChecksum + 1);

    // A record beyond RequestCount that is not zero is still shown.
    image = compiled().RequestImage;
    image[10 * RequestRecordSize + 9] = 3;
    decoded = DecodeRequestImage(image);
    EXPECT_EQ(decoded.FilledSlots(), (std::vector<int>{0, 1, 2, 10}));
    EXPECT_TRUE(decoded.ChecksumOk());
}

} // namespace
} // namespace veldrin
