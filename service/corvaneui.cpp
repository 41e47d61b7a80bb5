#include "corvaneui.h"

#include "corvaneuiadaptor.h"
#include "service_debug.h"
#include "tkquerydialog.h"

CorvaneUi::CorvaneUi(QObject* parent)
    : QObject(parent)
    , m_adaptor(new CorvaneUiAdaptor(this))
{
}

// The interface goes off the bus before the object it forwards to.
CorvaneUi::~CorvaneUi()
{
    delete m_adaptor;
}

void CorvaneUi::cancelGprsDisconnectDialog()
{
    if (m_dialog) {
        m_dialog->close();
    }
}

void CorvaneUi::displayGprsDisconnectDialog()
{
    if (m_dialog) {
        return;
    }
    // Deferred deletion waits behind the calls already queued; during a burst
    // of requests the answered dialogs would pile up. Only one may exist.
    delete m_answered;
    m_dialog = new TkQueryDialog(qtTrId("qtn_mms_gprs_warning_title"),
                                 qtTrId("qtn_mms_gprs_warning_text"));
    m_dialog->setSystemModal(true);
    connect(m_dialog.data(), &QDialog::finished, this, &CorvaneUi::slotOnDialogClosed);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->show();
}

void CorvaneUi::slotOnDialogClosed(int result)
{
    m_answered = m_dialog;
    m_dialog = nullptr;
    qCDebug(lcCorvaneUi).noquote() << "I: [CORVANE-UI] Dialog is closed, result =" << result;
    emit disconnectGprs(result == TkQueryDialog::Yes);
}
