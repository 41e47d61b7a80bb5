#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>

#include "tklinearlayoutpolicy.h"

class QWidget;

// Lays out a host widget's children by one of two policies: the portrait one
// while the window is taller than wide, the landscape one otherwise. Widgets
// that the active policy does not hold are hidden.
class TkLayout : public QObject
{
    Q_OBJECT
public:
    explicit TkLayout(QWidget* host);
    ~TkLayout() override;

    QWidget* host() const { return m_host; }

    // The layout owns every policy made for it.
    void setPortraitPolicy(TkLinearLayoutPolicy* policy);
    void setLandscapePolicy(TkLinearLayoutPolicy* policy);
    // One policy for both orientations.
    void setPolicy(TkLinearLayoutPolicy* policy);
    TkLinearLayoutPolicy* portraitPolicy() const { return m_portrait; }
    TkLinearLayoutPolicy* landscapePolicy() const { return m_landscape; }

    TkLinearLayoutPolicy* activePolicy() const { return m_active; }
    void setActivePolicy(TkLinearLayoutPolicy* policy);

    bool isPortrait() const;

    void setAnimate(bool animate) { m_animate = animate; }
    bool animate() const { return m_animate; }

    // Rebuilds the host's box layout from the active policy.
    void relayout();
    // A policy gained the item at `index`: the box layout gains it alone, so
    // that what it has laid out already (and measured) stays.
    void itemInserted(TkLinearLayoutPolicy* policy, int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TkLinearLayoutPolicy;
    void adopt(TkLinearLayoutPolicy* policy);
    void followWindow();
    void pickPolicyForOrientation();
    void hideUnlessActive(QWidget* widget);
    static bool isInBox(const QWidget* host, const QWidget* widget, int stretch);
    static Qt::Alignment placement(const TkLinearLayoutPolicy::Item& item);

    QWidget* m_host;
    QPointer<QWidget> m_window;
    TkLinearLayoutPolicy* m_portrait = nullptr;
    TkLinearLayoutPolicy* m_landscape = nullptr;
    TkLinearLayoutPolicy* m_active = nullptr;
    QSet<TkLinearLayoutPolicy*> m_owned;
    QSet<QWidget*> m_hiddenByPolicy;
    bool m_animate = false;
};
