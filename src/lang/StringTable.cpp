#include "lang/StringTable.h"

#include "lang/DefaultStrings.h"

namespace veldrin {

void StringTable::LoadDefaultStrings()
{
    m_texts = DefaultStrings();
}

bool StringTable::HasText(int index) const
{
    return index >= 0 && index < m_texts.size() && (index < OriginalTextCount || index >= FirstAddedText);
}

void StringTable::set(int index, const QString& text)
{
    if (HasText(index))
        m_texts[index] = text;
}

} // namespace veldrin
