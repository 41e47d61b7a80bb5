#pragma once

#include "clickablebubble.h"

#include <QContact>

class AvatarWidget;
class QLabel;

// A contact-card (vCard) attachment: a title, the contact's name and picture.
// Tapping it opens the contacts application's card view.
class MmsContactCard : public ClickableBubble
{
    Q_OBJECT
public:
    explicit MmsContactCard(const QString& vcardFile, QWidget* parent = nullptr);

    QString fileName() const { return m_fileName; }

public slots:
    void openContactCard();

private:
    void createLayout();
    void showContact(const QtContacts::QContact& contact);
    QString nameOf(const QtContacts::QContact& contact) const;
    static QString nameInSettingsOrder(const QtContacts::QContact& contact);
    static QLabel* createLabel(const QString& objectName, const QString& styleName);

    QString m_fileName;
    QLabel* m_title = nullptr;
    QLabel* m_name = nullptr;
    AvatarWidget* m_avatar = nullptr;
};
