#include "comm/ParGenLayout.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

struct LayoutCase {
    const char* what;
    int deviceType;
    ParGenBoxes boxes;
    int ethernetTop;
    int ethernetHeight;
    int modbusMasterTop;
    int modbusMasterHeight;
    int buttonsTop;
    int clientHeight;
};

class ParGenLayouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ParGenLayouts, StackTheBoxesAndPlaceTheButtonsBelowThem)
{
    const LayoutCase& c = GetParam();
    const ParGenLayout layout = LayOutParGen(c.deviceType, c.boxes);
    EXPECT_EQ(layout.selectDevice, QRect(8, 70, 296, c.boxes.selectDeviceExpanded ? 58 : 26)) << c.what;
    EXPECT_EQ(layout.ethernet, QRect(8, c.ethernetTop, 296, c.ethernetHeight)) << c.what;
    EXPECT_EQ(layout.modbusMaster, QRect(8, c.modbusMasterTop, 296, c.modbusMasterHeight)) << c.what;
    EXPECT_EQ(layout.ok, QRect(71, c.buttonsTop, 112, 28)) << c.what;
    EXPECT_EQ(layout.cancel, QRect(192, c.buttonsTop, 112, 28)) << c.what;
    EXPECT_EQ(layout.client, QSize(312, c.clientHeight)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParGenLayouts,
    ::testing::Values(
        LayoutCase{"type 0", 0, {}, 134, 259, 399, 194, 606, 647},
        LayoutCase{"type 1", 1, {}, 134, 259, 399, 262, 674, 715},
        LayoutCase{"type 2 as type 1", 2, {}, 134, 259, 399, 262, 674, 715},
        LayoutCase{"type -1 as type 1", -1, {}, 134, 259, 399, 262, 674, 715},
        LayoutCase{"select device collapsed", 0, {false, true, true}, 102, 259, 367, 194, 574, 615},
        // 70 + 58 + 6 + 26 + 6
        LayoutCase{"ethernet collapsed", 1, {true, false, true}, 134, 26, 166, 262, 441, 482},
        LayoutCase{"modbus master collapsed, type 0", 0, {true, true, false}, 134, 259, 399, 26, 438, 479},
        LayoutCase{"modbus master collapsed, type 1", 1, {true, true, false}, 134, 259, 399, 26, 438, 479},
        LayoutCase{"all collapsed", 1, {false, false, false}, 102, 26, 134, 26, 173, 214}));

TEST(ParGenLayoutRows, FollowTheDeviceType)
{
    const ParGenLayout jumper = LayOutParGen(0, {});
    const ParGenLayout dipSwitch = LayOutParGen(1, {});
    for (const ParGenLayout* layout : {&jumper, &dipSwitch}) {
        EXPECT_EQ(layout->serial, (ParGenRow{24, 21, true}));
        EXPECT_EQ(layout->baudRate, (ParGenRow{58, 55, true}));
        EXPECT_EQ(layout->parity, (ParGenRow{92, 89, true}));
    }
    EXPECT_FALSE(jumper.stopBits.shown);
    EXPECT_EQ(jumper.timeOut, (ParGenRow{126, 123, true}));
    EXPECT_FALSE(jumper.idleTime.shown);
    EXPECT_EQ(jumper.protocol, (ParGenRow{160, 157, true}));

    EXPECT_EQ(dipSwitch.stopBits, (ParGenRow{126, 123, true}));
    EXPECT_EQ(dipSwitch.timeOut, (ParGenRow{160, 157, true}));
    EXPECT_EQ(dipSwitch.idleTime, (ParGenRow{194, 191, true}));
    EXPECT_EQ(dipSwitch.protocol, (ParGenRow{228, 225, true}));

    // Switching from type 1 to type 0 moves the buttons up by the two rows' 68 pixels.
    EXPECT_EQ(dipSwitch.ok.top() - jumper.ok.top(), 68);
}

} // namespace
} // namespace veldrin
