#include "pluginhost.h"

#include "messaginguiplugininterface.h"

#include <QFileInfo>
#include <QLibrary>

const char* const PluginHost::ExpectedVerificationData =
    "pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.7.4\ndebug=false\n"
    "buildkey=armv6 linux g++-4 full-config";

PluginHost::PluginHost(const QString& fileName)
    : m_fileName(QFileInfo(fileName).absoluteFilePath())
    , m_loader(m_fileName)
{
}

bool PluginHost::verify()
{
    QLibrary library(m_fileName);
    using Verification = const char* (*)();
    auto verification =
        reinterpret_cast<Verification>(library.resolve("qt_plugin_query_verification_data"));
    if (!verification) {
        m_error = QStringLiteral("not a Qt plug-in (no verification data): %1").arg(m_fileName);
        return false;
    }
    if (qstrcmp(verification(), ExpectedVerificationData) != 0) {
        m_error = QStringLiteral("plug-in built for another Qt (verification text \"%1\"): %2")
                      .arg(QString::fromUtf8(verification())
                               .replace(QLatin1Char('\n'), QLatin1String("\\n")),
                           m_fileName);
        return false;
    }
    return true;
}

bool PluginHost::load()
{
    if (!QFileInfo(m_fileName).isFile()) {
        m_error = QStringLiteral("plug-in file not found: %1").arg(m_fileName);
        return false;
    }
    if (!verify()) {
        return false;
    }
    if (!m_loader.load()) {
        m_error = QStringLiteral("not a Qt plug-in: %1").arg(m_loader.errorString());
        return false;
    }
    m_plugin = qobject_cast<MessagingUIPluginInterface*>(m_loader.instance());
    if (!m_plugin) {
        m_error = QStringLiteral("plug-in does not offer %1: %2")
                      .arg(QLatin1String(MessagingUIPluginInterface_iid), m_fileName);
        return false;
    }
    return true;
}
