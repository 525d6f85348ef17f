// Every message the system shows the user passes through here, so tests can answer them.
#pragma once

#include <QString>
#include <QStringList>

namespace veldrin {

class Prompts {
public:
    virtual ~Prompts() = default;

    // An error box with a single OK button.
    virtual void error(const QString& text) = 0;
    // A warning box with a single OK button.
    virtual void warning(const QString& text) = 0;
    // A confirmation box with Yes and No; true only for Yes.
    virtual bool question(const QString& text) = 0;
    // A box that offers choices, each a button, and Cancel; the index of the choice taken, or
    // -1 for Cancel.
    virtual int choose(const QString& text, const QStringList& choices) = 0;
};

} // namespace veldrin
