#include "update/IcmpPacket.h"

namespace veldrin::icmp {
namespace {

std::uint8_t byteAt(const QByteArray& bytes, qsizetype index)
{
    return static_cast<std::uint8_t>(bytes[index]);
}

std::uint16_t wordAt(const QByteArray& bytes, qsizetype index)
{
    return static_cast<std::uint16_t>((byteAt(bytes, index) << 8) | byteAt(bytes, index + 1));
}

void putWord(QByteArray& bytes, qsizetype index, std::uint16_t value)
{
    bytes[index] = static_cast<char>(value >> 8);
    bytes[index + 1] = static_cast<char>(value & 0xFF);
}

} // namespace

std::uint16_t Checksum(const QByteArray& bytes)
{
    std::uint32_t sum = 0;
    qsizetype i = 0;
    for (; i + 1 < bytes.size(); i += 2)
        sum += wordAt(bytes, i);
    if (i < bytes.size())
        sum += static_cast<std::uint32_t>(byteAt(bytes, i)) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum & 0xFFFF);
}

QByteArray EchoRequest(std::uint16_t identifier, std::uint16_t sequence, const QByteArray& data)
{
    QByteArray packet(HeaderSize, '\0');
    packet[0] = static_cast<char>(EchoRequestType);
    putWord(packet, 4, identifier);
    putWord(packet, 6, sequence);
    packet += data;
    putWord(packet, 2, Checksum(packet));
    return packet;
}

std::optional<int> MatchEchoReply(const QByteArray& packet, const ReplyMatch& match)
{
    QByteArray message = packet;
    if (match.withIpHeader) {
        if (packet.isEmpty() || (byteAt(packet, 0) >> 4) != 4)
            return std::nullopt;
        const qsizetype headerLength = qsizetype{byteAt(packet, 0) & 0x0F} * 4;
        if (headerLength < 20 || packet.size() < headerLength)
            return std::nullopt;
        // The total length in the header, so padding after the datagram is not taken as data;
        // systems that hand it over changed are taken at the packet's own length.
        qsizetype total = wordAt(packet, 2);
        if (total < headerLength || total > packet.size())
            total = packet.size();
        message = packet.mid(headerLength, total - headerLength);
    }
    if (message.size() < HeaderSize || byteAt(message, 0) != EchoReplyType || byteAt(message, 1) != 0)
        return std::nullopt;
    // A raw socket also sees packets the system has not checked yet; on a datagram socket the
    // system has checked them and may have rewritten the identifier.
    if (match.withIpHeader && Checksum(message) != 0)
        return std::nullopt;
    if (match.identifier && wordAt(message, 4) != *match.identifier)
        return std::nullopt;
    if (wordAt(message, 6) != match.sequence)
        return std::nullopt;
    return static_cast<int>(message.size() - HeaderSize);
}

} // namespace veldrin::icmp
