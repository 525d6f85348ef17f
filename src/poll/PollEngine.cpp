#include "poll/PollEngine.h"

#include "poll/ModbusFrames.h"
#include "poll/SerialPortPath.h"

#include <algorithm>
#include <cmath>

namespace veldrin {
namespace {

// The silence an RTU master keeps between frames: 3.5 characters up to 19200 baud, 1.75 ms
// above. ASCII frames are delimited and need none.
int gapMs(const SerialLine& line)
{
    if (line.ascii)
        return 0;
    const double gap = line.baud <= 19200 ? 3.5 * CharacterMs(line) : 1.75;
    return static_cast<int>(std::ceil(gap));
}

} // namespace

void ApplyLine(QSerialPort& port, const SerialLine& line)
{
    port.setBaudRate(static_cast<qint32>(line.baud));
    port.setDataBits(line.ascii ? QSerialPort::Data7 : QSerialPort::Data8);
    port.setParity(line.parity == 'E'   ? QSerialPort::EvenParity
                   : line.parity == 'O' ? QSerialPort::OddParity
                                        : QSerialPort::NoParity);
    port.setStopBits(line.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
}

PollEngine::PollEngine(QObject* parent) : QObject(parent)
{
    m_watchdog.setSingleShot(true);
    m_watchdog.setTimerType(Qt::PreciseTimer);
    m_gap.setSingleShot(true);
    m_gap.setTimerType(Qt::PreciseTimer);
    connect(&m_watchdog, &QTimer::timeout, this, &PollEngine::onWatchdog);
    connect(&m_gap, &QTimer::timeout, this, &PollEngine::sendNext);
}

PollEngine::~PollEngine()
{
    if (m_port != nullptr) {
        m_port->disconnect(this);
        m_port->close();
    }
}

std::optional<PortOpenFailure> PollEngine::start(const PollSettings& settings,
                                                 std::vector<PollRequest> requests)
{
    if (running())
        stop();
    m_settings = settings;
    m_results.clear();
    for (PollRequest& request : requests) {
        RowResult result;
        result.frame = FrameOf(request.slave, request.pdu, settings.line.ascii);
        result.request = std::move(request);
        if (result.request.write() && !settings.sendWrites)
            result.status = RowStatus::NotSent;
        m_results.push_back(std::move(result));
    }
    m_traffic.clear();
    m_traffic.setAscii(settings.line.ascii);
    m_roundsDone = 0;
    m_cycleMs.reset();
    m_portError.clear();
    m_current = -1;
    m_next = 0;

    const std::optional<QString> path = CanonicalPortPath(settings.port);
    if (!path)
        return PortOpenFailure{settings.port.trimmed(), QSerialPort::DeviceNotFoundError, {}};
    m_portPath = *path;
    auto* port = new QSerialPort(this);
    port->setPortName(m_portPath);
    ApplyLine(*port, settings.line);
    if (!port->open(QIODevice::ReadWrite)) {
        PortOpenFailure failure{m_portPath, port->error(), port->errorString()};
        delete port;
        return failure;
    }
    m_port = port;
    connect(port, &QSerialPort::readyRead, this, &PollEngine::onReadyRead);
    connect(port, &QSerialPort::errorOccurred, this, &PollEngine::onPortError);
    m_end = PollEnd::Running;
    m_clock.start();
    m_roundStart = 0;
    m_gap.start(0);
    return std::nullopt;
}

void PollEngine::stop()
{
    if (running())
        finish(PollEnd::Stopped);
}

PollSummary PollEngine::summary() const
{
    return Summarize(m_results, m_roundsDone, m_cycleMs, m_settings.line);
}

bool PollEngine::toSend(const RowResult& result) const
{
    return !result.request.write() || m_settings.sendWrites;
}

double PollEngine::elapsedMs() const
{
    return static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
}

void PollEngine::sendNext()
{
    if (!running())
        return;
    const int count = static_cast<int>(m_results.size());
    while (m_next < count && !toSend(m_results[static_cast<std::size_t>(m_next)]))
        ++m_next;
    if (m_next == count) {
        const bool anySent = m_next > 0 && std::any_of(m_results.begin(), m_results.end(),
                                                       [this](const RowResult& r) { return toSend(r); });
        if (!anySent) {
            finish(PollEnd::Done);
            return;
        }
        m_cycleMs = elapsedMs() - m_roundStart;
        ++m_roundsDone;
        Q_EMIT roundDone(m_roundsDone);
        if (m_listener.roundDone)
            m_listener.roundDone(m_roundsDone);
        if (!running())
            return;
        if (m_settings.rounds > 0 && m_roundsDone >= m_settings.rounds) {
            finish(PollEnd::Done);
            return;
        }
        m_next = 0;
        m_roundStart = elapsedMs();
        sendNext();
        return;
    }
    // Bytes left over from an earlier answer belong to no request.
    const QByteArray late = m_port->readAll();
    if (!late.isEmpty())
        m_traffic.add(false, late);
    m_current = m_next++;
    m_buffer.clear();
    const QByteArray& frame = m_results[static_cast<std::size_t>(m_current)].frame;
    m_traffic.add(true, frame);
    m_sentAt = elapsedMs();
    if (m_port->write(frame) != frame.size()) {
        onPortError(m_port->error() == QSerialPort::NoError ? QSerialPort::WriteError : m_port->error());
        return;
    }
    m_watchdog.start(m_settings.timeoutMs);
}

void PollEngine::onReadyRead()
{
    if (!running())
        return;
    const QByteArray bytes = m_port->readAll();
    if (m_current < 0) {
        if (!bytes.isEmpty())
            m_traffic.add(false, bytes);
        return;
    }
    m_buffer += bytes;
    if (m_settings.line.ascii) {
        const qsizetype end = m_buffer.indexOf('\n');
        if (end >= 0) {
            const QByteArray frame = m_buffer.left(end + 1);
            const QByteArray rest = m_buffer.mid(end + 1);
            complete(frame);
            if (!rest.isEmpty())
                m_traffic.add(false, rest);
        }
        return;
    }
    const int length = RtuAnswerLength(m_buffer);
    if (length > 0 && m_buffer.size() >= length) {
        const QByteArray frame = m_buffer.left(length);
        const QByteArray rest = m_buffer.mid(length);
        complete(frame);
        if (!rest.isEmpty())
            m_traffic.add(false, rest);
    }
}

void PollEngine::complete(const QByteArray& frame)
{
    m_watchdog.stop();
    RowResult& result = m_results[static_cast<std::size_t>(m_current)];
    m_traffic.add(false, frame);
    TakeAnswer(result, m_settings.line.ascii ? ReadAsciiFrame(frame) : ReadRtuFrame(frame));
    afterTransaction();
}

void PollEngine::onWatchdog()
{
    if (!running() || m_current < 0)
        return;
    // Whatever came is not a whole answer: a frame cut short or garbage.
    if (!m_buffer.isEmpty()) {
        complete(m_buffer);
        return;
    }
    TakeTimeout(m_results[static_cast<std::size_t>(m_current)]);
    afterTransaction();
}

void PollEngine::afterTransaction()
{
    RowResult& result = m_results[static_cast<std::size_t>(m_current)];
    const double ms = elapsedMs() - m_sentAt;
    if (result.status != RowStatus::Timeout) {
        result.lastMs = ms;
        result.minMs = result.minMs ? std::min(*result.minMs, ms) : ms;
        result.maxMs = result.maxMs ? std::max(*result.maxMs, ms) : ms;
    }
    const int index = m_current;
    m_current = -1;
    m_buffer.clear();
    Q_EMIT rowDone(index);
    if (m_listener.rowDone)
        m_listener.rowDone(index);
    if (running())
        m_gap.start(gapMs(m_settings.line));
}

void PollEngine::onPortError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !running())
        return;
    // A port that failed keeps failing (a pulled adapter reports errors in a loop): let go of
    // it at the first.
    m_portError = m_port->errorString();
    finish(PollEnd::PortLost);
}

void PollEngine::finish(PollEnd end)
{
    m_watchdog.stop();
    m_gap.stop();
    m_current = -1;
    m_end = end;
    if (m_port != nullptr) {
        m_port->disconnect(this);
        m_port->close();
        m_port->deleteLater();
        m_port = nullptr;
    }
    Q_EMIT finished();
    if (m_listener.finished)
        m_listener.finished();
}

} // namespace veldrin
