// The frames of a test poll as they went over the line: when, which way, and the bytes (the
// text of ASCII frames). Keeps the latest 10,000, so a long run does not grow without end.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTime>

#include <deque>

namespace veldrin {

struct TrafficEntry {
    QTime time;
    bool sent = false;
    QByteArray bytes;
};

// A frame's bytes as the traffic shows them: hex bytes, or for ASCII its text with CR LF left
// out and any other control character as <XX>.
QString FrameText(const QByteArray& bytes, bool ascii);

class TrafficLog {
public:
    static constexpr std::size_t Capacity = 10000;

    explicit TrafficLog(bool ascii = false) : m_ascii(ascii) {}

    void setAscii(bool ascii) { m_ascii = ascii; }
    void add(bool sent, const QByteArray& bytes, QTime time = QTime::currentTime());
    void clear()
    {
        m_entries.clear();
        m_total = 0;
    }
    // How many entries were added since the last clear, those dropped included.
    std::size_t total() const { return m_total; }

    const std::deque<TrafficEntry>& entries() const { return m_entries; }
    // One entry as a line: "14:03:07.218 TX 01 03 00 00 00 0A C5 CD"; an ASCII frame shows as
    // its text, CR LF left out and any other control character as <XX>.
    QString line(const TrafficEntry& entry) const;
    // Every entry, a line each.
    QString text() const;
    // Writes text() to the file at path atomically; throws VeldrinError naming the file.
    void save(const QString& path) const;

private:
    bool m_ascii = false;
    std::deque<TrafficEntry> m_entries;
    std::size_t m_total = 0;
};

} // namespace veldrin
