#pragma once

#include <QObject>
#include <QSize>

// The attributes every stylable widget has: a preferred and a maximum size,
// four margins around its frame and four paddings inside it.
// Style classes of a library derive from it and add their own attributes; the
// theme sets them through the widget (see TkStylableWidget).
class TkWidgetStyle : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    QSize preferredSize() const { return m_preferredSize; }
    void setPreferredSize(const QSize& size) { m_preferredSize = size; }

    // Invalid (no limit) unless the theme sets one.
    QSize maximumSize() const { return m_maximumSize; }
    void setMaximumSize(const QSize& size) { m_maximumSize = size; }

    int marginLeft() const { return m_marginLeft; }
    int marginTop() const { return m_marginTop; }
    int marginRight() const { return m_marginRight; }
    int marginBottom() const { return m_marginBottom; }
    void setMarginLeft(int margin) { m_marginLeft = margin; }
    void setMarginTop(int margin) { m_marginTop = margin; }
    void setMarginRight(int margin) { m_marginRight = margin; }
    void setMarginBottom(int margin) { m_marginBottom = margin; }

    int paddingLeft() const { return m_paddingLeft; }
    int paddingTop() const { return m_paddingTop; }
    int paddingRight() const { return m_paddingRight; }
    int paddingBottom() const { return m_paddingBottom; }
    void setPaddingLeft(int padding) { m_paddingLeft = padding; }
    void setPaddingTop(int padding) { m_paddingTop = padding; }
    void setPaddingRight(int padding) { m_paddingRight = padding; }
    void setPaddingBottom(int padding) { m_paddingBottom = padding; }

private:
    QSize m_preferredSize;
    QSize m_maximumSize;
    int m_marginLeft = 0;
    int m_marginTop = 0;
    int m_marginRight = 0;
    int m_marginBottom = 0;
    int m_paddingLeft = 0;
    int m_paddingTop = 0;
    int m_paddingRight = 0;
    int m_paddingBottom = 0;
};
