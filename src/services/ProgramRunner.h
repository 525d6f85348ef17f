// Starts an external program (the updaters) and follows it until it ends. A program is
// never stopped by the configurator: not after a time limit, not when the configurator ends.
#pragma once

#include <QObject>
#include <QString>

namespace veldrin {

class ProgramRunner : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts program with the parameter string (its arguments as one text), its window shown
    // or hidden. Gives "" when it started, else the reason it could not.
    virtual QString start(const QString& program, const QString& parameter, bool hidden) = 0;
    // The program started last is still running.
    virtual bool isRunning() const = 0;
    // How the program started last ended, valid after ended().
    virtual int exitCode() const = 0;
    virtual bool crashed() const = 0;

Q_SIGNALS:
    void ended();
};

} // namespace veldrin
