// One data area drawn as a grid of bytes, 32 to a line: each request a coloured span
// labelled with its row, the bits two requests share hatched red, free bytes plain. The
// mouse names the rows under it and a click picks one; from the keyboard, the arrows move
// a byte cursor and Enter or Space picks the row drawn on top at it.
#pragma once

#include "access/DataAreaMap.h"
#include "access/DataAreaMapPainter.h"

#include <QWidget>

namespace veldrin {

class StringTable;

class DataAreaMapView : public QWidget {
    Q_OBJECT

public:
    static constexpr int BytesPerLine = DataAreaMapPainter::BytesPerLine;

    // An empty map of the kind's area until setMap.
    DataAreaMapView(TableKind kind, const QString& objectName, const StringTable& strings, QWidget* parent);

    // Shows the map of table, which the view reads for the rows' descriptions until the next call.
    void setMap(AreaMap map, const RequestTable& table);
    const AreaMap& map() const { return m_map; }
    // Outlines the span of a row (1-based); 0 outlines none.
    void setCurrentRow(int row);
    // Marks what a test poll heard; empty marks clear them.
    void setPollMarks(PollMarks marks);
    const PollMarks& pollMarks() const { return m_marks; }

    // The byte at a point of the widget, or -1 outside the area's bytes.
    int byteAt(QPoint point) const;
    // The row drawn on top at a point, 0 where there is none.
    int rowAt(QPoint point) const;
    // Where byte is drawn.
    QRect byteRect(int byte) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    // The user picked the span of a row (1-based).
    void rowPicked(int row);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The row drawn on top that holds the bit, 0 where there is none.
    int rowAtBit(std::int64_t bit) const;
    // The row drawn on top that touches the byte, 0 where there is none.
    int rowAtByte(int byte) const;
    void moveCursor(int byte);

    const StringTable& m_strings;
    AreaMap m_map;
    const RequestTable* m_table = nullptr;
    int m_currentRow = 0;
    PollMarks m_marks;
    int m_cursor = 0;
};

} // namespace veldrin
