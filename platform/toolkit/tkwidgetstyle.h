#pragma once

#include <QObject>
#include <QSize>

// The attributes every stylable widget has: a preferred size and four margins.
// Style classes of a library derive from it and add their own attributes; the
// theme sets them through the widget (see TkStylableWidget).
class TkWidgetStyle : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    QSize preferredSize() const { return m_preferredSize; }
    void setPreferredSize(const QSize& size) { m_preferredSize = size; }

    int marginLeft() const { return m_marginLeft; }
    int marginTop() const { return m_marginTop; }
    int marginRight() const { return m_marginRight; }
    int marginBottom() const { return m_marginBottom; }
    void setMarginLeft(int margin) { m_marginLeft = margin; }
    void setMarginTop(int margin) { m_marginTop = margin; }
    void setMarginRight(int margin) { m_marginRight = margin; }
    void setMarginBottom(int margin) { m_marginBottom = margin; }

private:
    QSize m_preferredSize;
    int m_marginLeft = 0;
    int m_marginTop = 0;
    int m_marginRight = 0;
    int m_marginBottom = 0;
};
