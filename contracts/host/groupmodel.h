#pragma once

#include "group.h"

#include <QAbstractListModel>

namespace Chronel {

// The conversations, newest activity first; reloads when the store changes.
class GroupModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles { GroupIdRole = Qt::UserRole + 1, RemoteUidsRole, LocalUidRole };

    explicit GroupModel(QObject* parent = nullptr);

    // Starts loading the conversations of an account and remote party (empty
    // strings: all of them); modelReady() follows from the event loop.
    bool getGroups(const QString& localUid = QString(), const QString& remoteUid = QString());

    Group group(const QModelIndex& index) const;
    QList<Group> groups() const { return m_groups; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

signals:
    void modelReady(bool successful);

private:
    void reload();

    QString m_localUid;
    QString m_remoteUid;
    bool m_loaded = false;
    QList<Group> m_groups;
};

} // namespace Chronel
