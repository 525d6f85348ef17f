// The texts of the user interface by index: the built-in English ones, replaced in part
// by a language file.
#pragma once

#include <QString>
#include <QStringList>

namespace veldrin {

class StringTable {
public:
    // Empty until LoadDefaultStrings.
    StringTable() = default;

    // Empties the table and fills it with the built-in texts.
    void LoadDefaultStrings();

    int StringCount() const { return static_cast<int>(m_texts.size()); }
    // The text at index; the windows only ask for indexes in range.
    const QString& operator[](int index) const { return m_texts.at(index); }
    // Replaces an entry; an index out of range is ignored.
    void set(int index, const QString& text);

    const QStringList& texts() const { return m_texts; }

private:
    QStringList m_texts;
};

} // namespace veldrin
