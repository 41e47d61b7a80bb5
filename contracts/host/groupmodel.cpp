#include "groupmodel.h"

#include "historystore.h"

#include <QTimer>

namespace Chronel {

GroupModel::GroupModel(QObject* parent)
    : QAbstractListModel(parent)
{
    connect(HistoryStore::instance(), &HistoryStore::groupsChanged, this, [this] {
        if (m_loaded) {
            reload();
        }
    });
}

bool GroupModel::getGroups(const QString& localUid, const QString& remoteUid)
{
    m_localUid = localUid;
    m_remoteUid = remoteUid;
    QTimer::singleShot(0, this, [this] {
        reload();
        m_loaded = true;
        emit modelReady(true);
    });
    return true;
}

void GroupModel::reload()
{
    beginResetModel();
    m_groups = HistoryStore::instance()->groups(m_localUid, m_remoteUid);
    endResetModel();
}

Group GroupModel::group(const QModelIndex& index) const
{
    return index.isValid() && index.row() < m_groups.size() ? m_groups.at(index.row()) : Group();
}

int GroupModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_groups.size();
}

QVariant GroupModel::data(const QModelIndex& index, int role) const
{
    const Group found = group(index);
    if (found.id < 0) {
        return QVariant();
    }
    switch (role) {
    case GroupIdRole:
        return found.id;
    case RemoteUidsRole:
        return found.remoteUids;
    case LocalUidRole:
        return found.localUid;
    case Qt::DisplayRole:
        return found.remoteUids.join(QStringLiteral(", "));
    default:
        return QVariant();
    }
}

} // namespace Chronel
