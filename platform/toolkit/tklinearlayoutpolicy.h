#pragma once

#include <QList>
#include <QMargins>
#include <QPointer>
#include <QWidget>

class TkLayout;

// One arrangement of a TkLayout's widgets in a row or a column. A layout holds
// one policy for portrait and one for landscape; a widget may sit in both.
class TkLinearLayoutPolicy
{
public:
    TkLinearLayoutPolicy(TkLayout* layout, Qt::Orientation orientation);

    Qt::Orientation orientation() const { return m_orientation; }

    void addItem(QWidget* widget, Qt::Alignment alignment = {});
    void insertItem(int index, QWidget* widget, Qt::Alignment alignment = {});
    void addStretch(int stretch = 1);
    void insertStretch(int index, int stretch = 1);
    void removeItem(QWidget* widget);
    void removeAt(int index);
    void clear();

    int count() const { return m_items.size(); }
    // Null for a stretch.
    QWidget* itemAt(int index) const;
    int indexOf(const QWidget* widget) const;
    bool contains(const QWidget* widget) const { return indexOf(widget) >= 0; }

    void setSpacing(int spacing);
    int spacing() const { return m_spacing; }
    void setContentsMargins(const QMargins& margins);
    QMargins contentsMargins() const { return m_margins; }

    // Makes this the layout's policy for both orientations until the next switch.
    void activate();
    bool isActive() const;

    struct Item
    {
        QPointer<QWidget> widget; // null for a stretch
        Qt::Alignment alignment;
        int stretch = 0;
    };
    const QList<Item>& items() const { return m_items; }

private:
    void changed();

    TkLayout* m_layout;
    Qt::Orientation m_orientation;
    QList<Item> m_items;
    int m_spacing = 0;
    QMargins m_margins;
};
