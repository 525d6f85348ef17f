// The texts of the user interface by index: the built-in English ones, replaced in part
// by a language file.
#pragma once

#include <QString>
#include <QStringList>

namespace veldrin {

// Indexes 0 to 178 hold the configurator's original texts and FirstAddedText and up the texts
// added since; the indexes between hold no text, leaving room.
inline constexpr int OriginalTextCount = 179;
inline constexpr int FirstAddedText = 200;

class StringTable {
public:
    // Empty until LoadDefaultStrings.
    StringTable() = default;

    // Empties the table and fills it with the built-in texts.
    void LoadDefaultStrings();

    // One past the highest index; it bounds the indexes a language file may set.
    int StringCount() const { return static_cast<int>(m_texts.size()); }
    // Whether index holds a text: in range, and not one of the indexes left free.
    bool HasText(int index) const;
    // The text at index; the windows only ask for indexes in range. An index that holds no
    // text gives "".
    const QString& operator[](int index) const { return m_texts.at(index); }
    // Replaces an entry; an index that holds no text is ignored.
    void set(int index, const QString& text);

    const QStringList& texts() const { return m_texts; }

private:
    QStringList m_texts;
};

} // namespace veldrin
