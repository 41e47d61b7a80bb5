#pragma once

#include <QString>

// Why a chat session could not be made ready.
class ChatSessionError
{
public:
    enum Type {
        // The session bus cannot be reached.
        BusUnavailable = 1,
        // Nobody owns the connection manager's service name on the bus.
        ServiceNotFound = 2,
        // The bus could not answer whether the service is there.
        LookupFailed = 3,
    };

    ChatSessionError(int type, const QString& message);

    int type() const { return m_type; }
    QString message() const { return m_message; }

private:
    int m_type;
    QString m_message;
};
