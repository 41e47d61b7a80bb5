#pragma once

#include <QContactFetchRequest>
#include <QContactManager>
#include <QLabel>
#include <QSharedPointer>
#include <QStringList>

// A list of addresses (sender, recipients) in which every address that
// belongs to exactly one stored contact becomes a link to that contact, the
// contact's local id being the link's target. Addresses are resolved one at a
// time; contactsResolved() tells when the whole list is done, so that several
// labels can resolve one after another.
class ContactListLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ContactListLabel(QWidget* parent = nullptr);
    explicit ContactListLabel(const QString& text, QWidget* parent = nullptr);

    void setAddressList(const QStringList& addresses);
    // The shown items: addresses, and links for those resolved.
    QStringList addressList() const { return m_addresses; }

signals:
    void contactsResolved();

public slots:
    void startContactResolving();

private slots:
    void contactsFetched();

private:
    bool startFetch();
    void resolveCurrent(const QtContacts::QContact& contact);
    void showAddresses();
    static quint32 storeLocalId(const QtContacts::QContact& contact);

    QStringList m_addresses;
    QSharedPointer<QtContacts::QContactManager> m_contactManager;
    QSharedPointer<QtContacts::QContactFetchRequest> m_fetchRequest;
    int m_currentIndex = 0;
    // Counts address lists, so that steps of an earlier list are dropped.
    int m_pass = 0;
};
