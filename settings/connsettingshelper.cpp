#include "connsettingshelper.h"

#include "connsettingssheet.h"
#include "connsettingswidget.h"
#include "mmsmainconfig.h"
#include "settings_debug.h"
#include "tkpopuplist.h"
#include "tkquerydialog.h"

#include <QStringListModel>

ConnSettingsHelper::ConnSettingsHelper(QObject* parent)
    : QObject(parent)
{
}

void ConnSettingsHelper::showConnSettingsConfirmation(const QString& title)
{
    qCDebug(lcConnSet).noquote() << "D: [MMS-CONNSET] Show confirmation";
    auto* dialog = new TkQueryDialog(title, qtTrId("qtn_mms_error_missing_mmsc"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this,
            &ConnSettingsHelper::slotOnConfirmationFinishedFinished);
    dialog->open();
}

void ConnSettingsHelper::slotOnConfirmationFinishedFinished(int result)
{
    if (result == TkQueryDialog::Yes)
        showConnSettingsUi();
}

void ConnSettingsHelper::showConnSettingsUi()
{
    qCDebug(lcConnSet).noquote() << "D: [MMS-CONNSET] Open settings dialog";
    auto* list = new TkPopupList;
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->setTitle(qtTrId("qtn_mms_proxy_port_setting"));
    list->setItemModel(new QStringListModel(
        {qtTrId("qtn_mms_settings_automatic"), qtTrId("qtn_mms_dialogtitle_user_defined")}, list));
    connect(list, &TkPopupList::clicked, this, &ConnSettingsHelper::slotOnSettingsModeChanged);
    list->open();
}

void ConnSettingsHelper::slotOnSettingsModeChanged(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    if (index.row() == 0) {
        MmsMainConfig config;
        config.automaticConnection = true;
        config.save();
        return;
    }
    if (index.row() != 1)
        return;
    m_sheet = new ConnSettingsSheet;
    m_sheet->setAttribute(Qt::WA_DeleteOnClose);
    m_form = m_sheet->form();
    connect(m_sheet, &TkSheet::doneClicked, this,
            &ConnSettingsHelper::onConnectionSettingsAccepted);
    m_sheet->open();
}

void ConnSettingsHelper::onConnectionSettingsAccepted()
{
    MmsMainConfig config;
    config.automaticConnection = false;
    config.save();
    if (m_form)
        m_form->save();
    if (m_sheet) {
        m_sheet->hide();
        m_sheet->deleteLater();
    }
    m_sheet.clear();
}
