#pragma once

#include <QSize>
#include <QWidget>

class TkWidgetStyle;

// A widget whose look comes from a style object of a registered style class.
// The theme addresses it by style class ([styleClass="..."]) and style name and
// sets the style's attributes as properties (qproperty-preferredSize: 64px 64px);
// applyStyle() runs once the attributes are in place. Painting goes through
// drawContents() with the origin at the top left of the area inside the margins.
class TkStylableWidget : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString styleClass READ styleClass CONSTANT)
    Q_PROPERTY(QSize preferredSize READ preferredSize WRITE setPreferredSize)
    Q_PROPERTY(int marginLeft READ marginLeft WRITE setMarginLeft)
    Q_PROPERTY(int marginTop READ marginTop WRITE setMarginTop)
    Q_PROPERTY(int marginRight READ marginRight WRITE setMarginRight)
    Q_PROPERTY(int marginBottom READ marginBottom WRITE setMarginBottom)
public:
    // Takes ownership of the style.
    explicit TkStylableWidget(TkWidgetStyle* style, QWidget* parent = nullptr);

    QString styleClass() const;
    void setStyleName(const QString& styleName);

    QSize preferredSize() const;
    int marginLeft() const;
    int marginTop() const;
    int marginRight() const;
    int marginBottom() const;
    void setPreferredSize(const QSize& size);
    void setMarginLeft(int margin);
    void setMarginTop(int margin);
    void setMarginRight(int margin);
    void setMarginBottom(int margin);

protected:
    TkWidgetStyle* widgetStyle() const { return m_style; }

    // The style's attributes changed: adopt them.
    virtual void applyStyle() {}
    virtual void drawContents(QPainter* painter);
    // A press that will not become a click (the view started moving).
    virtual void cancelEvent() {}

    // Call after changing an attribute; the style is applied once, later.
    void styleAttributeChanged();

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    TkWidgetStyle* m_style;
    bool m_applyPending = false;
};
