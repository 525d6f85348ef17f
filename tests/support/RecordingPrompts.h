// Prompts for tests: records every message and answers questions from a script.
#pragma once

#include "common/Prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace veldrin::test {

class RecordingPrompts : public Prompts {
public:
    struct Message {
        QString kind; // "error", "warning", "question" or "choice"
        QString text;
    };

    void error(const QString& text) override { m_messages.append({QStringLiteral("error"), text}); }
    void warning(const QString& text) override { m_messages.append({QStringLiteral("warning"), text}); }
    bool question(const QString& text) override
    {
        m_messages.append({QStringLiteral("question"), text});
        if (m_answers.isEmpty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return false;
        }
        return m_answers.takeFirst();
    }

    int choose(const QString& text, const QStringList& choices) override
    {
        m_messages.append({QStringLiteral("choice"),
                           text + QStringLiteral("\n[") + choices.join(QStringLiteral("] [")) + u']'});
        if (m_choices.isEmpty()) {
            ADD_FAILURE() << "unexpected choice: " << text.toStdString();
            return -1;
        }
        return m_choices.takeFirst();
    }

    // The choices taken at the next boxes that offer them, in order; -1 for Cancel.
    void choose(std::initializer_list<int> choices) { m_choices.append(QList<int>(choices)); }

    // The answers to the next questions, in order.
    void answer(std::initializer_list<bool> answers) { m_answers.append(QList<bool>(answers)); }

    const QList<Message>& messages() const { return m_messages; }
    QStringList texts() const
    {
        QStringList result;
        for (const Message& message : m_messages)
            result.append(message.text);
        return result;
    }
    void clear() { m_messages.clear(); }

private:
    QList<Message> m_messages;
    QList<bool> m_answers;
    QList<int> m_choices;
};

} // namespace veldrin::test
