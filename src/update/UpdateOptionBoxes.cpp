#include "update/UpdateOptionBoxes.h"

#include "lang/StringTable.h"

#include <QCheckBox>

namespace veldrin {

UpdateOptionBoxes::UpdateOptionBoxes(QWidget* parent)
{
    const char* names[] = {"CB_Firmware", "CB_Read_Firm", "CB_Conf", "CB_Read_Conf"};
    for (int i = 0; i < 4; ++i) {
        m_boxes[i] = new QCheckBox(parent);
        m_boxes[i]->setObjectName(QString::fromLatin1(names[i]));
        // Checked when the program starts; afterwards they keep the user's choice.
        m_boxes[i]->setChecked(true);
    }
}

void UpdateOptionBoxes::setTexts(const StringTable& strings, int firstIndex)
{
    for (int i = 0; i < 4; ++i) {
        m_boxes[i]->setText(strings[firstIndex + i]);
        m_boxes[i]->adjustSize();
    }
}

void UpdateOptionBoxes::setVisible(bool visible)
{
    for (QCheckBox* box : m_boxes)
        box->setVisible(visible);
}

void UpdateOptionBoxes::place(int top)
{
    for (int i = 0; i < 4; ++i)
        m_boxes[i]->move(i % 2 == 0 ? 36 : 56, top + 23 * i);
}

UpdateOptions UpdateOptionBoxes::options() const
{
    return {m_boxes[0]->isChecked(), m_boxes[1]->isChecked(), m_boxes[2]->isChecked(),
            m_boxes[3]->isChecked()};
}

} // namespace veldrin
