#pragma once

#include <QObject>
#include <QPointer>

class ConnSettingsSheet;
class ConnSettingsWidget;
class QModelIndex;

// Leads the user from a send that stopped for an incomplete connection profile
// to the connection settings: a question, the choice of mode, then the form.
class ConnSettingsHelper : public QObject
{
    Q_OBJECT
public:
    explicit ConnSettingsHelper(QObject* parent = nullptr);

    // Asks whether to edit the connection settings now.
    void showConnSettingsConfirmation(const QString& title);

public slots:
    void slotOnConfirmationFinishedFinished(int result);
    void showConnSettingsUi();
    void slotOnSettingsModeChanged(const QModelIndex& index);
    void onConnectionSettingsAccepted();

private:
    QPointer<ConnSettingsSheet> m_sheet;
    QPointer<ConnSettingsWidget> m_form;
};
