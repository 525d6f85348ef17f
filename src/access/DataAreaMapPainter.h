// How a data area is drawn, on screen and in print: a grid of bytes, 32 to a line, with the
// byte offsets beside the lines; each request a coloured span labelled with its row, the bits
// two requests share hatched red (a pattern, so it reads in black and white too), free bytes
// plain.
#pragma once

#include "access/DataAreaMap.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>

#include <vector>

class QPainter;

namespace veldrin {

// What a test poll heard: the read rows that answered (with values or an exception) and those
// that did not. The map outlines the first and cross-hatches the second.
struct PollMarks {
    std::vector<int> answered;
    std::vector<int> silent;
    bool empty() const { return answered.empty() && silent.empty(); }
};

class DataAreaMapPainter {
public:
    static constexpr int BytesPerLine = 32;
    static constexpr int CellWidth = 22;
    static constexpr int CellHeight = 20;

    explicit DataAreaMapPainter(const AreaMap& map) : m_map(map) {}

    // The size of the whole picture.
    QSize size() const;
    // Where byte is drawn.
    QRect byteRect(int byte) const;
    // The byte at a point of the picture, or -1 outside the area's bytes.
    int byteAt(QPoint point) const;
    // The bit at a point of the picture, from the byte's first (0) to its last (7); point
    // must lie on a byte.
    int bitAt(QPoint point) const;

    // Paints the picture from the top left corner; font gives the labels (drawn smaller),
    // background the margins and text the offsets. The span of currentRow (1-based) is
    // outlined; 0 outlines none. marks, when given, are drawn over the spans.
    void paint(QPainter& painter, const QFont& font, const QColor& background, const QColor& text,
               int currentRow = 0, const PollMarks* marks = nullptr) const;

private:
    void paintSpan(QPainter& painter, const BitRange& bits, const QBrush& brush, const QPen& pen) const;

    const AreaMap& m_map;
};

// The picture of a map as an image, drawn at scale times its size (for print).
QImage DataAreaMapImage(const AreaMap& map, const QFont& font, double scale);

} // namespace veldrin
