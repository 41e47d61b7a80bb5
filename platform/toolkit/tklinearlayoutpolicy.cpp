#include "tklinearlayoutpolicy.h"

#include "tklayout.h"

TkLinearLayoutPolicy::TkLinearLayoutPolicy(TkLayout* layout, Qt::Orientation orientation)
    : m_layout(layout)
    , m_orientation(orientation)
{
    // Known to the layout from the start, so that it can hide this policy's
    // widgets while another one is active.
    m_layout->adopt(this);
}

void TkLinearLayoutPolicy::addItem(QWidget* widget, Qt::Alignment alignment)
{
    insertItem(m_items.size(), widget, alignment);
}

void TkLinearLayoutPolicy::insertItem(int index, QWidget* widget, Qt::Alignment alignment)
{
    if (!widget || contains(widget)) {
        return;
    }
    if (widget->parentWidget() != m_layout->host()) {
        widget->setParent(m_layout->host());
    }
    const int at = qBound(0, index, m_items.size());
    m_items.insert(at, Item{widget, alignment, 0});
    m_layout->itemInserted(this, at);
}

void TkLinearLayoutPolicy::addStretch(int stretch)
{
    insertStretch(m_items.size(), stretch);
}

void TkLinearLayoutPolicy::insertStretch(int index, int stretch)
{
    const int at = qBound(0, index, m_items.size());
    m_items.insert(at, Item{nullptr, {}, stretch});
    m_layout->itemInserted(this, at);
}

void TkLinearLayoutPolicy::removeItem(QWidget* widget)
{
    const int index = indexOf(widget);
    if (index >= 0) {
        removeAt(index);
    }
}

void TkLinearLayoutPolicy::removeAt(int index)
{
    if (index < 0 || index >= m_items.size()) {
        return;
    }
    m_items.removeAt(index);
    changed();
}

void TkLinearLayoutPolicy::clear()
{
    m_items.clear();
    changed();
}

QWidget* TkLinearLayoutPolicy::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index).widget.data() : nullptr;
}

int TkLinearLayoutPolicy::indexOf(const QWidget* widget) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (widget && m_items.at(i).widget == widget) {
            return i;
        }
    }
    return -1;
}

void TkLinearLayoutPolicy::setSpacing(int spacing)
{
    m_spacing = spacing;
    changed();
}

void TkLinearLayoutPolicy::setContentsMargins(const QMargins& margins)
{
    m_margins = margins;
    changed();
}

void TkLinearLayoutPolicy::activate()
{
    m_layout->setActivePolicy(this);
}

bool TkLinearLayoutPolicy::isActive() const
{
    return m_layout->activePolicy() == this;
}

void TkLinearLayoutPolicy::changed()
{
    // Also for an inactive policy: a widget it alone holds must be hidden.
    m_layout->relayout();
}
