#include "update/IcmpPacket.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using icmp::EchoRequest;
using icmp::MatchEchoReply;
using icmp::ReplyMatch;

// What the device sends back for a request: the same message as an echo reply.
QByteArray replyTo(const QByteArray& request)
{
    QByteArray reply = request;
    reply[0] = 0;
    reply[2] = 0;
    reply[3] = 0;
    const std::uint16_t sum = icmp::Checksum(reply);
    reply[2] = static_cast<char>(sum >> 8);
    reply[3] = static_cast<char>(sum & 0xFF);
    return reply;
}

// An IPv4 header of 20 bytes before message, as a raw socket hands it over.
QByteArray withIpHeader(const QByteArray& message, int padding = 0)
{
    QByteArray header(20, '\0');
    header[0] = 0x45;
    const int total = 20 + static_cast<int>(message.size());
    header[2] = static_cast<char>(total >> 8);
    header[3] = static_cast<char>(total & 0xFF);
    header[9] = 1;
    return header + message + QByteArray(padding, '\xAA');
}

TEST(IcmpPacket, TheRequestCarriesItsFieldsAndAValidChecksum)
{
    const QByteArray request = EchoRequest(0x1234, 0x0102, "127.0.0.1");
    ASSERT_EQ(request.size(), 8 + 9);
    EXPECT_EQ(request.left(2), QByteArray("\x08\x00", 2));
    EXPECT_EQ(request.mid(4, 4), QByteArray("\x12\x34\x01\x02", 4));
    EXPECT_EQ(request.mid(8), QByteArray("127.0.0.1"));
    EXPECT_EQ(icmp::Checksum(request), 0) << "a message with its checksum in place sums to zero";
    // The well-known example: words 0x0001 0xF203 0xF4F5 0xF6F7 give 0x220D.
    EXPECT_EQ(icmp::Checksum(QByteArray("\x00\x01\xF2\x03\xF4\xF5\xF6\xF7", 8)), 0x220D);
    EXPECT_EQ(icmp::Checksum(QByteArray("\x01", 1)), 0xFEFF) << "an odd last byte is the high half of a word";
}

TEST(IcmpPacket, OnlyTheReplyToThisRequestCounts)
{
    const QByteArray request = EchoRequest(0x1234, 7, "127.0.0.9");
    const QByteArray reply = replyTo(request);
    const ReplyMatch raw{true, 0x1234, 7};
    EXPECT_EQ(MatchEchoReply(withIpHeader(reply), raw), 9);
    EXPECT_EQ(MatchEchoReply(withIpHeader(reply, 6), raw), 9) << "padding after the datagram is not data";

    // On loopback a raw socket sees the request itself first.
    EXPECT_FALSE(MatchEchoReply(withIpHeader(request), raw));
    // Another program's reply, and a late reply to an earlier request.
    EXPECT_FALSE(MatchEchoReply(withIpHeader(replyTo(EchoRequest(0x4321, 7, "127.0.0.9"))), raw));
    EXPECT_FALSE(MatchEchoReply(withIpHeader(replyTo(EchoRequest(0x1234, 6, "127.0.0.9"))), raw));
    // Damaged or cut off.
    QByteArray damaged = reply;
    damaged[9] = 'X';
    EXPECT_FALSE(MatchEchoReply(withIpHeader(damaged), raw));
    EXPECT_FALSE(MatchEchoReply(withIpHeader(reply).left(25), raw));
    EXPECT_FALSE(MatchEchoReply(QByteArray(), raw));
    EXPECT_FALSE(MatchEchoReply(reply, raw)) << "no IP header where one is due";

    // A datagram socket: no IP header, the system has already picked this socket's replies.
    QByteArray rewritten = reply;
    rewritten[4] = '\x55';
    EXPECT_EQ(MatchEchoReply(rewritten, ReplyMatch{false, std::nullopt, 7}), 9);
    EXPECT_FALSE(MatchEchoReply(rewritten, ReplyMatch{false, std::nullopt, 8}));
    EXPECT_EQ(MatchEchoReply(replyTo(EchoRequest(1, 7, QByteArray())), ReplyMatch{false, std::nullopt, 7}), 0)
        << "a reply without data is still a reply";
}

} // namespace
} // namespace veldrin
