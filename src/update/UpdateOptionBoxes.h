// The four update options as check boxes, the same in both update dialogs: write the
// firmware, read it back, write the configuration, read it back.
#pragma once

#include "update/UpdateOptions.h"

#include <array>

class QCheckBox;
class QWidget;

namespace veldrin {

class StringTable;

class UpdateOptionBoxes {
public:
    // Creates CB_Firmware, CB_Read_Firm, CB_Conf and CB_Read_Conf on parent, all checked.
    explicit UpdateOptionBoxes(QWidget* parent);

    // Captions from four consecutive string-table entries starting at firstIndex.
    void setTexts(const StringTable& strings, int firstIndex);
    void setVisible(bool visible);
    // The write boxes at left 36, the read-back boxes indented under them at 56, from top.
    void place(int top);

    UpdateOptions options() const;
    QCheckBox* first() const { return m_boxes[0]; }
    QCheckBox* last() const { return m_boxes[3]; }

private:
    std::array<QCheckBox*, 4> m_boxes;
};

} // namespace veldrin
