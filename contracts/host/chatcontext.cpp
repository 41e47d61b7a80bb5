#include "chatcontext.h"

ChatContext::ChatContext(const QString& remoteUid, const QString& accountPath, int chatType,
                         int groupId)
    : m_remoteUid(remoteUid)
    , m_accountPath(accountPath)
    , m_chatType(chatType)
    , m_groupId(groupId)
{
}
