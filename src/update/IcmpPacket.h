// ICMP echo messages as they travel: building a request and recognising its reply.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace veldrin::icmp {

inline constexpr std::uint8_t EchoReplyType = 0;
inline constexpr std::uint8_t EchoRequestType = 8;
inline constexpr int HeaderSize = 8;

// The Internet checksum: the ones' complement of the ones' complement sum of 16-bit words.
std::uint16_t Checksum(const QByteArray& bytes);

// An echo request with its checksum filled in.
QByteArray EchoRequest(std::uint16_t identifier, std::uint16_t sequence, const QByteArray& data);

// Where an echo reply is looked for.
struct ReplyMatch {
    // Received on a raw socket, so an IPv4 header comes first.
    bool withIpHeader = false;
    // The identifier the reply must carry; none where the system has already sorted replies
    // by identifier (a datagram socket).
    std::optional<std::uint16_t> identifier;
    std::uint16_t sequence = 0;
};

// The number of data bytes when packet is the echo reply that match asks for; nothing for
// anything else: another program's reply, an earlier reply, the request itself (a raw
// socket on loopback receives it too), a damaged or cut-off packet.
std::optional<int> MatchEchoReply(const QByteArray& packet, const ReplyMatch& match);

} // namespace veldrin::icmp
