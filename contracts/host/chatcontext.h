#pragma once

#include <QString>

// Names a conversation for the chat-session layer: the remote party, the
// account, the kind of chat (0 one-to-one) and, for group chats, the group
// (-1 for none).
class ChatContext
{
public:
    ChatContext(const QString& remoteUid, const QString& accountPath, int chatType = 0,
                int groupId = -1);

    QString remoteUid() const { return m_remoteUid; }
    QString accountPath() const { return m_accountPath; }
    int chatType() const { return m_chatType; }
    int groupId() const { return m_groupId; }

private:
    QString m_remoteUid;
    QString m_accountPath;
    int m_chatType;
    int m_groupId;
};
