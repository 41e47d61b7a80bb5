#include "sendvalidator.h"

#include "host_debug.h"

#include <QRegularExpression>
#include <QTimer>

namespace {

const QString kAccountRoot = QStringLiteral("/org/freedesktop/Telepathy/Account/");
const QString kMmsManager = QStringLiteral("mmscm");

} // namespace

SendValidator::SendValidator(const QString& accountPath, bool multimedia, QObject* parent)
    : QObject(parent)
    , m_accountPath(accountPath)
    , m_multimedia(multimedia)
{
}

int SendValidator::check(const QString& accountPath, bool multimedia)
{
    if (accountPath.isEmpty()) {
        return NoAccount;
    }
    static const QRegularExpression account(
        QStringLiteral("^%1([A-Za-z0-9_]+)/[A-Za-z0-9_]+/[A-Za-z0-9_]+$")
            .arg(QRegularExpression::escape(kAccountRoot)));
    const QRegularExpressionMatch match = account.match(accountPath);
    if (!match.hasMatch()) {
        return UnknownAccount;
    }
    if (multimedia && match.captured(1) != kMmsManager) {
        return MultimediaNotSupported;
    }
    return 0;
}

void SendValidator::validate()
{
    QTimer::singleShot(0, this, &SendValidator::finish);
}

void SendValidator::finish()
{
    const int error = check(m_accountPath, m_multimedia);
    if (error != 0) {
        qCWarning(lcHost) << "[SEND-VALIDATOR] cannot send through" << m_accountPath << "error"
                          << error;
        emit validationFailed(error);
        return;
    }
    emit validationCompleted();
}
