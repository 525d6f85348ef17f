// Asks the maker's web server whether a newer version of the configurator exists.
#pragma once

#include <QObject>

namespace veldrin {

class UpdateCheck : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts a query unless one is running; its answer arrives through finished().
    virtual void start() = 0;
    virtual bool isRunning() const = 0;
    // Whether the last query got an answer from the server, as finished() arrives: false when
    // it could not be sent, was refused, timed out or got no good answer.
    virtual bool answered() const = 0;

Q_SIGNALS:
    // True only when the server named a newer version; a failed query is false.
    void finished(bool newerVersion);
};

} // namespace veldrin
