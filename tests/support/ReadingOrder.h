// Tab order checks: Tab moves through a window in reading order, row by row from the top and
// left to right in a row.
#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace veldrin::test {

inline bool TakesTab(const QWidget* widget, const QWidget* window)
{
    return widget->window() == window && (widget->focusPolicy() & Qt::TabFocus) &&
           widget->isVisibleTo(window) && widget->isEnabled() && !widget->focusProxy();
}

// The widgets Tab visits from the first one in the focus chain, in the order it visits them.
inline QList<QWidget*> TabChain(QWidget* window)
{
    QList<QWidget*> chain;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if (TakesTab(w, window) && !chain.contains(w))
            chain.append(w);
    }
    return chain;
}

// The same widgets in reading order: rows of widgets whose middles are less than half a
// widget's height apart, top to bottom, each row left to right.
inline QList<QWidget*> ReadingOrder(QList<QWidget*> widgets, QWidget* window)
{
    const auto placeOf = [window](const QWidget* w) {
        return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
    };
    std::stable_sort(widgets.begin(), widgets.end(),
                     [&](const QWidget* a, const QWidget* b) { return placeOf(a).top() < placeOf(b).top(); });
    QList<QWidget*> ordered;
    for (qsizetype i = 0; i < widgets.size();) {
        const QRect first = placeOf(widgets[i]);
        qsizetype end = i + 1;
        while (end < widgets.size() && std::abs(placeOf(widgets[end]).center().y() - first.center().y()) <
                                           std::min(first.height(), placeOf(widgets[end]).height()) / 2 + 1)
            ++end;
        QList<QWidget*> row = widgets.mid(i, end - i);
        std::stable_sort(row.begin(), row.end(), [&](const QWidget* a, const QWidget* b) {
            return placeOf(a).left() < placeOf(b).left();
        });
        ordered += row;
        i = end;
    }
    return ordered;
}

inline QStringList Names(const QList<QWidget*>& widgets)
{
    QStringList result;
    for (const QWidget* w : widgets)
        result.append(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                : w->objectName());
    return result;
}

// Tab order and reading order differ by no more than where the chain starts.
inline void ExpectReadingOrder(QWidget* window, const QString& what)
{
    const QList<QWidget*> chain = TabChain(window);
    ASSERT_FALSE(chain.isEmpty()) << what.toStdString();
    QList<QWidget*> reading = ReadingOrder(chain, window);
    // The chain is a ring: start it where the reading starts.
    QList<QWidget*> ring = chain;
    std::rotate(ring.begin(), ring.begin() + ring.indexOf(reading.first()), ring.end());
    EXPECT_EQ(Names(ring), Names(reading)) << what.toStdString();
}

} // namespace veldrin::test
