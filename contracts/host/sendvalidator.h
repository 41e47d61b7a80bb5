#pragma once

#include <QObject>
#include <QString>

// Checks, before a message is handed over, that the account it goes out
// through can send it. The verdict comes from the event loop:
// validationCompleted(), or validationFailed() with one of the errors below.
class SendValidator : public QObject
{
    Q_OBJECT
public:
    enum Error {
        // The account path is empty.
        NoAccount = 1,
        // The path does not name a messaging account
        // ("/org/freedesktop/Telepathy/Account/<manager>/<protocol>/<name>").
        UnknownAccount = 2,
        // A multimedia message through an account of another connection
        // manager than the MMS one ("mmscm").
        MultimediaNotSupported = 3,
    };

    // `multimedia`: the message is a multimedia message.
    SendValidator(const QString& accountPath, bool multimedia, QObject* parent = nullptr);

    QString accountPath() const { return m_accountPath; }
    bool isMultimedia() const { return m_multimedia; }

    // The error the account gives, 0 when it can send.
    static int check(const QString& accountPath, bool multimedia);

public slots:
    void validate();

signals:
    void validationCompleted();
    void validationFailed(int error);

private:
    void finish();

    QString m_accountPath;
    bool m_multimedia;
};
