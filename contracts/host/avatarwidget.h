#pragma once

#include <QContact>
#include <QPixmap>
#include <QWidget>

// A contact's picture, cut by the theme's avatar mask and framed. It shows a
// picture given directly, or the picture of the contact it is given.
class AvatarWidget : public QWidget
{
    Q_OBJECT
public:
    explicit AvatarWidget(QWidget* parent = nullptr);

    void setPixmap(const QPixmap& pixmap);
    QPixmap pixmap() const { return m_pixmap; }
    // Also takes the contact's thumbnail, or clears the picture when it has none.
    void setContact(const QtContacts::QContact& contact);
    QtContacts::QContact contact() const { return m_contact; }
    // The contact's number in its store; 0 while no stored contact is shown.
    quint32 contactId() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap composed(const QSize& size) const;

    QPixmap m_pixmap;
    QtContacts::QContact m_contact;
};
