// A serial line without hardware: two pseudo-terminal pairs joined by a thread that copies the
// bytes between their master ends. The program under test opens masterPort(), the Modbus slave
// slavePort(). The test sees every byte the program sent, can spoil one byte of the next answer
// and can pull the plug on the program's side.
#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace veldrin::test {

class PtyBridge {
public:
    PtyBridge()
    {
        open(m_programSide);
        open(m_slaveSide);
        if (::pipe2(m_wake, O_CLOEXEC) != 0)
            m_wake[0] = m_wake[1] = -1;
        m_thread = std::thread([this] { run(); });
    }
    ~PtyBridge()
    {
        m_stop = true;
        if (m_wake[1] >= 0)
            (void)::write(m_wake[1], "x", 1);
        m_thread.join();
        for (const Pair* pair : {&m_programSide, &m_slaveSide}) {
            if (pair->master >= 0)
                ::close(pair->master);
            ::close(pair->slave);
        }
        ::close(m_wake[0]);
        ::close(m_wake[1]);
    }
    PtyBridge(const PtyBridge&) = delete;
    PtyBridge& operator=(const PtyBridge&) = delete;

    bool ok() const { return m_programSide.slave >= 0 && m_slaveSide.slave >= 0 && m_wake[0] >= 0; }
    // The port the program under test opens.
    QString masterPort() const { return m_programSide.name; }
    // The port the Modbus slave opens.
    QString slavePort() const { return m_slaveSide.name; }

    // Every byte the program has sent so far.
    QByteArray sent() const
    {
        std::lock_guard lock(m_mutex);
        return m_sent;
    }
    // XORs the byte at offset of the next answer with mask.
    void spoilNextAnswer(int offset, char mask)
    {
        std::lock_guard lock(m_mutex);
        m_spoilOffset = offset;
        m_spoilMask = mask;
    }
    // The adapter pulled out: the program's line ends.
    void unplug()
    {
        m_unplug = true;
        (void)::write(m_wake[1], "x", 1);
    }

private:
    struct Pair {
        int master = -1;
        int slave = -1;
        QString name;
    };

    static void open(Pair& pair)
    {
        char name[128] = {};
        if (::openpty(&pair.master, &pair.slave, name, nullptr, nullptr) != 0)
            return;
        // Programs the test starts must not hold the line open: the plug is pulled by closing it.
        ::fcntl(pair.master, F_SETFD, FD_CLOEXEC);
        ::fcntl(pair.slave, F_SETFD, FD_CLOEXEC);
        termios raw{};
        ::tcgetattr(pair.slave, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(pair.slave, TCSANOW, &raw);
        pair.name = QString::fromLocal8Bit(name);
    }

    void run()
    {
        char buffer[512];
        while (!m_stop) {
            if (m_unplug && m_programSide.master >= 0) {
                ::close(m_programSide.master);
                ::close(m_programSide.slave);
                m_programSide.master = -1;
                m_programSide.slave = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
            }
            pollfd fds[3] = {
                {m_programSide.master, POLLIN, 0}, {m_slaveSide.master, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
            if (::poll(fds, 3, 100) <= 0)
                continue;
            if ((fds[2].revents & POLLIN) != 0)
                (void)::read(m_wake[0], buffer, sizeof buffer);
            if (m_programSide.master >= 0 && (fds[0].revents & POLLIN) != 0) {
                const ssize_t n = ::read(m_programSide.master, buffer, sizeof buffer);
                if (n > 0) {
                    {
                        std::lock_guard lock(m_mutex);
                        m_sent.append(buffer, n);
                        m_answerOffset = 0;
                    }
                    (void)::write(m_slaveSide.master, buffer, static_cast<size_t>(n));
                }
            }
            if ((fds[1].revents & POLLIN) != 0) {
                const ssize_t n = ::read(m_slaveSide.master, buffer, sizeof buffer);
                if (n > 0 && m_programSide.master >= 0) {
                    {
                        std::lock_guard lock(m_mutex);
                        const int at = m_spoilOffset - m_answerOffset;
                        if (m_spoilOffset >= 0 && at >= 0 && at < n) {
                            buffer[at] = static_cast<char>(buffer[at] ^ m_spoilMask);
                            m_spoilOffset = -1;
                        }
                        m_answerOffset += static_cast<int>(n);
                    }
                    (void)::write(m_programSide.master, buffer, static_cast<size_t>(n));
                }
            }
        }
    }

    Pair m_programSide;
    Pair m_slaveSide;
    int m_wake[2] = {-1, -1};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_unplug{false};
    mutable std::mutex m_mutex;
    QByteArray m_sent;
    int m_answerOffset = 0;
    int m_spoilOffset = -1;
    char m_spoilMask = 0;
    std::thread m_thread;
};

} // namespace veldrin::test
