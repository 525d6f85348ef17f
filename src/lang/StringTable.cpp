#include "lang/StringTable.h"

#include "lang/DefaultStrings.h"

namespace veldrin {

void StringTable::LoadDefaultStrings()
{
    m_texts = DefaultStrings();
}

void StringTable::set(int index, const QString& text)
{
    if (index >= 0 && index < m_texts.size())
        m_texts[index] = text;
}

} // namespace veldrin
