// The application's message boxes.
#pragma once

#include "common/Prompts.h"

class QWidget;

namespace veldrin {

class MessageBoxPrompts : public Prompts {
public:
    // Boxes are centred on the active window, or on parent when none is active.
    explicit MessageBoxPrompts(QWidget* parent = nullptr) : m_parent(parent) {}

    void error(const QString& text) override;
    void warning(const QString& text) override;
    bool question(const QString& text) override;
    int choose(const QString& text, const QStringList& choices) override;

private:
    QWidget* owner() const;

    QWidget* m_parent;
};

} // namespace veldrin
