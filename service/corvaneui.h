#pragma once

#include <QObject>
#include <QPointer>

class CorvaneUiAdaptor;
class TkQueryDialog;

// Shows the packet-data disconnection warning on request, one at a time, and
// reports the user's answer with disconnectGprs().
class CorvaneUi : public QObject
{
    Q_OBJECT
public:
    explicit CorvaneUi(QObject* parent = nullptr);
    ~CorvaneUi() override;

signals:
    void disconnectGprs(bool disconnect);

public slots:
    void cancelGprsDisconnectDialog();
    void displayGprsDisconnectDialog();
    void slotOnDialogClosed(int result);

private:
    CorvaneUiAdaptor* m_adaptor;
    QPointer<TkQueryDialog> m_dialog;
    // The answered dialog until Qt's deferred deletion gets to it.
    QPointer<TkQueryDialog> m_answered;
};
