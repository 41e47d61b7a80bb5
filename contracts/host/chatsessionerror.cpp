#include "chatsessionerror.h"

ChatSessionError::ChatSessionError(int type, const QString& message)
    : m_type(type)
    , m_message(message)
{
}
