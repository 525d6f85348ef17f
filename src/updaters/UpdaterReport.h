// Where an updater shows what it does: the operations with their progress, and every problem.
#pragma once

#include <QString>

namespace veldrin::updaters {

class UpdaterReport {
public:
    virtual ~UpdaterReport() = default;

    // What the run is about (the program and its device); shown once, first.
    virtual void heading(const QString& text) = 0;
    // A line describing the device or an input.
    virtual void info(const QString& text) = 0;
    // Operation number of count (from 1) begins.
    virtual void beginStep(int number, int count, const QString& text) = 0;
    // How far the current operation is, 0 to 100.
    virtual void progress(int percent) = 0;
    // The current operation ended; result says how ("done", "matches").
    virtual void endStep(const QString& result) = 0;
    // Something that stops the update, in words the user can act on.
    virtual void problem(const QString& text) = 0;
    // The run is over; ok is false after any problem.
    virtual void finish(bool ok, const QString& summary) = 0;
    // A short pause between progress steps, so a window can show them; may do nothing.
    virtual void pause(int ms) = 0;
};

} // namespace veldrin::updaters
