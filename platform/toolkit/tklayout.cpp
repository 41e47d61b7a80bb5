#include "tklayout.h"

#include "tklinearlayoutpolicy.h"

#include <QBoxLayout>
#include <QEvent>
#include <QWidget>

TkLayout::TkLayout(QWidget* host)
    : QObject(host)
    , m_host(host)
{
    m_host->installEventFilter(this);
    followWindow();
}

TkLayout::~TkLayout()
{
    qDeleteAll(m_owned);
}

void TkLayout::adopt(TkLinearLayoutPolicy* policy)
{
    if (policy) {
        m_owned.insert(policy);
    }
}

void TkLayout::setPortraitPolicy(TkLinearLayoutPolicy* policy)
{
    adopt(policy);
    m_portrait = policy;
    pickPolicyForOrientation();
}

void TkLayout::setLandscapePolicy(TkLinearLayoutPolicy* policy)
{
    adopt(policy);
    m_landscape = policy;
    pickPolicyForOrientation();
}

void TkLayout::setPolicy(TkLinearLayoutPolicy* policy)
{
    adopt(policy);
    m_portrait = policy;
    m_landscape = policy;
    pickPolicyForOrientation();
}

void TkLayout::setActivePolicy(TkLinearLayoutPolicy* policy)
{
    if (m_active == policy) {
        return;
    }
    adopt(policy);
    m_active = policy;
    relayout();
}

bool TkLayout::isPortrait() const
{
    const QWidget* window = m_host->window();
    return window->height() > window->width();
}

void TkLayout::pickPolicyForOrientation()
{
    TkLinearLayoutPolicy* wanted = isPortrait() ? m_portrait : m_landscape;
    setActivePolicy(wanted ? wanted : (m_portrait ? m_portrait : m_landscape));
}

void TkLayout::relayout()
{
    delete m_host->layout();
    if (!m_active) {
        return;
    }
    auto* box = new QBoxLayout(m_active->orientation() == Qt::Vertical ? QBoxLayout::TopToBottom
                                                                       : QBoxLayout::LeftToRight,
                               m_host);
    box->setSpacing(m_active->spacing());
    box->setContentsMargins(m_active->contentsMargins());

    QSet<QWidget*> placed;
    for (const TkLinearLayoutPolicy::Item& item : m_active->items()) {
        if (!item.widget) {
            if (item.stretch > 0) {
                box->addStretch(item.stretch);
            }
            continue;
        }
        box->addWidget(item.widget, 0, placement(item));
        placed.insert(item.widget);
        if (m_hiddenByPolicy.remove(item.widget)) {
            item.widget->show();
        }
    }
    // Widgets that only another policy holds must not float over this one.
    for (TkLinearLayoutPolicy* policy : qAsConst(m_owned)) {
        if (policy == m_active) {
            continue;
        }
        for (const TkLinearLayoutPolicy::Item& item : policy->items()) {
            if (item.widget && !placed.contains(item.widget) && !item.widget->isHidden()) {
                item.widget->hide();
                m_hiddenByPolicy.insert(item.widget);
            }
        }
    }
}

// An alignment places a widget within its row or column; a widget that
// expands fills it instead, and so does one whose height follows its width
// (wrapped text): the box layout measures such a widget at the full width.
Qt::Alignment TkLayout::placement(const TkLinearLayoutPolicy::Item& item)
{
    Qt::Alignment alignment = item.alignment;
    const Qt::Orientations expanding = item.widget->sizePolicy().expandingDirections();
    if ((expanding & Qt::Horizontal) || item.widget->hasHeightForWidth()) {
        alignment &= ~Qt::AlignHorizontal_Mask;
    }
    if (expanding & Qt::Vertical) {
        alignment &= ~Qt::AlignVertical_Mask;
    }
    return alignment;
}

// What the box layout holds of a policy item: a widget still on the host, or a stretch.
bool TkLayout::isInBox(const QWidget* host, const QWidget* widget, int stretch)
{
    return widget ? widget->parentWidget() == host : stretch > 0;
}

void TkLayout::itemInserted(TkLinearLayoutPolicy* policy, int index)
{
    const TkLinearLayoutPolicy::Item& inserted = policy->items().at(index);
    if (policy != m_active) {
        if (inserted.widget) {
            hideUnlessActive(inserted.widget);
        }
        return;
    }
    auto* box = qobject_cast<QBoxLayout*>(m_host->layout());
    int before = 0;
    int held = 0;
    for (int i = 0; i < policy->count(); ++i) {
        const TkLinearLayoutPolicy::Item& item = policy->items().at(i);
        if (i != index && isInBox(m_host, item.widget, item.stretch)) {
            ++held;
            before += i < index ? 1 : 0;
        }
    }
    // Out of step (a widget left the host behind the policy's back): start afresh.
    if (!box || box->count() != held) {
        relayout();
        return;
    }
    if (!inserted.widget) {
        if (inserted.stretch > 0) {
            box->insertStretch(before, inserted.stretch);
        }
        return;
    }
    box->insertWidget(before, inserted.widget, 0, placement(inserted));
    if (m_hiddenByPolicy.remove(inserted.widget)) {
        inserted.widget->show();
    }
}

void TkLayout::hideUnlessActive(QWidget* widget)
{
    if (!widget->isHidden() && !(m_active && m_active->contains(widget))) {
        widget->hide();
        m_hiddenByPolicy.insert(widget);
    }
}

void TkLayout::followWindow()
{
    QWidget* window = m_host->window();
    if (window == m_window) {
        return;
    }
    if (m_window && m_window != m_host) {
        m_window->removeEventFilter(this);
    }
    m_window = window;
    if (m_window != m_host) {
        m_window->installEventFilter(this);
    }
}

bool TkLayout::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
    case QEvent::Show:
        if (watched == m_host) {
            followWindow();
            pickPolicyForOrientation();
        }
        break;
    case QEvent::Resize:
        if (watched == m_window) {
            pickPolicyForOrientation();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
