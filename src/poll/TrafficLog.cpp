#include "poll/TrafficLog.h"

#include "common/AtomicFile.h"

namespace veldrin {

void TrafficLog::add(bool sent, const QByteArray& bytes, QTime time)
{
    m_entries.push_back({time, sent, bytes});
    ++m_total;
    if (m_entries.size() > Capacity)
        m_entries.pop_front();
}

QString FrameText(const QByteArray& bytes, bool ascii)
{
    if (!ascii)
        return QString::fromLatin1(bytes.toHex(' ').toUpper());
    QByteArray frame = bytes;
    if (frame.endsWith("\r\n"))
        frame.chop(2);
    QString text;
    for (char c : frame) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F)
            text.append(QLatin1Char(c));
        else
            text.append(
                QStringLiteral("<%1>").arg(QString::number(byte, 16).toUpper().rightJustified(2, u'0')));
    }
    return text;
}

QString TrafficLog::line(const TrafficEntry& entry) const
{
    return QStringLiteral("%1 %2 %3")
        .arg(entry.time.toString(QStringLiteral("HH:mm:ss.zzz")),
             entry.sent ? QStringLiteral("TX") : QStringLiteral("RX"), FrameText(entry.bytes, m_ascii));
}

QString TrafficLog::text() const
{
    QString all;
    for (const TrafficEntry& entry : m_entries)
        all += line(entry) + u'\n';
    return all;
}

void TrafficLog::save(const QString& path) const
{
    WriteFileAtomically(path, text().toUtf8());
}

} // namespace veldrin
