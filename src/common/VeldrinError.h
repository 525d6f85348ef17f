// The one error of the system: its text is what the user reads.
#pragma once

#include <QString>

#include <stdexcept>

namespace veldrin {

class VeldrinError : public std::runtime_error {
public:
    explicit VeldrinError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}

    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace veldrin
