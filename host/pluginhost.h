#pragma once

#include <QPluginLoader>
#include <QString>

class MessagingUIPluginInterface;

// Loads a message-type plug-in the way the messaging application does: the
// file must be a Qt plug-in of the messaging interface whose verification
// text matches the one this host was built for.
class PluginHost
{
public:
    static const char* const ExpectedVerificationData;

    explicit PluginHost(const QString& fileName);

    // False with errorString() saying why.
    bool load();
    QString errorString() const { return m_error; }
    MessagingUIPluginInterface* plugin() const { return m_plugin; }

private:
    bool verify();

    QString m_fileName;
    QPluginLoader m_loader;
    QString m_error;
    MessagingUIPluginInterface* m_plugin = nullptr;
};
