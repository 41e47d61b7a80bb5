#include "mmssettingswidget.h"

#include "connsettingssheet.h"
#include "connsettingswidget.h"
#include "settings_debug.h"
#include "tkcombobox.h"
#include "tklayout.h"
#include "tklinearlayoutpolicy.h"
#include "tkstyle.h"
#include "tkswitchbutton.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QTimer>

namespace {

const QList<int> normalSizes = {MmsMainConfig::MAX_SIZE_100KB, MmsMainConfig::MAX_SIZE_300KB,
                                MmsMainConfig::MAX_SIZE_600KB, MmsMainConfig::MAX_SIZE_1MB};
const QList<int> restrictedSizes = {MmsMainConfig::MAX_SIZE_300KB, MmsMainConfig::MAX_SIZE_600KB};
const QList<int> validities = {MmsMainConfig::VALIDITY_1_HOUR, MmsMainConfig::VALIDITY_1_DAY,
                               MmsMainConfig::VALIDITY_1_WEEK, MmsMainConfig::VALIDITY_MAXIMUM};
// In the order of the list: always send, prompt, do not send.
const QList<int> readReportModes = {MmsMainConfig::READ_REPORT_ALWAYS_SEND,
                                    MmsMainConfig::READ_REPORT_PROMPT,
                                    MmsMainConfig::READ_REPORT_DO_NOT_SEND};

bool isIndexOf(const QList<int>& values, int index)
{
    return index >= 0 && index < values.size();
}

} // namespace

MmsSettingsWidget::MmsSettingsWidget(QWidget* parent)
    : QWidget(parent)
    , m_connectionSettingsSheet(new ConnSettingsSheet(this))
{
    setObjectName(QStringLiteral("mmsSettingsWidget"));
    m_connSettingsWidget = m_connectionSettingsSheet->form();
    connect(m_connectionSettingsSheet, &TkSheet::doneClicked, this,
            &MmsSettingsWidget::onConnectionSettingsAccepted);
    // Cancel, Escape and closing the window all reject the sheet.
    connect(m_connectionSettingsSheet, &QDialog::rejected, this,
            &MmsSettingsWidget::onConnectionSettingsRejected);

    auto* layout = new TkLayout(this);
    auto* policy = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    layout->setPolicy(policy);

    initConnectionModeWidget(policy);
    initMessageDownloadingModeWidget(policy);
    initMessageSizeWidget(policy);
    if (m_config.validitySettingVisible)
        initMessageValidityWidget(policy);
    if (m_config.deliveryReportSettingVisible) {
        qCDebug(lcMmsSettings).noquote()
            << "D: [MMS-SETTINGS] Delivery report:" << m_config.deliveryReport;
        TkSwitchButton* button = addCheckButtonAndText(policy, qtTrId("qtn_mms_delivery_report"),
                                                       QStringLiteral("mmsSettingsDeliveryReport"),
                                                       m_config.deliveryReport);
        connect(button, &TkSwitchButton::toggled, this,
                &MmsSettingsWidget::onDeliveryReportToggled);
    }
    if (m_config.readReportSettingVisible) {
        qCDebug(lcMmsSettings).noquote() << "D: [MMS-SETTINGS] Read report:" << m_config.readReport;
        TkSwitchButton* button =
            addCheckButtonAndText(policy, qtTrId("qtn_mms_read_report_switch"),
                                  QStringLiteral("mmsSettingsReadReport"), m_config.readReport);
        connect(button, &TkSwitchButton::toggled, this, &MmsSettingsWidget::onReadReportToggled);
        initMessageReadReportModeWidget(policy);
    }
}

MmsSettingsWidget::~MmsSettingsWidget()
{
    delete m_connectionSettingsSheet;
}

TkComboBox* MmsSettingsWidget::addComboBox(TkLinearLayoutPolicy* layout, const QString& title,
                                           const QString& objectName, const QStringList& items)
{
    auto* comboBox = new TkComboBox;
    comboBox->setObjectName(objectName);
    tk::setStyleName(comboBox, QStringLiteral("CommonComboBoxInverted"));
    comboBox->setTitle(title);
    comboBox->addItems(items);
    layout->addItem(comboBox);
    return comboBox;
}

void MmsSettingsWidget::initConnectionModeWidget(TkLinearLayoutPolicy* layout)
{
    m_connectionMode = addComboBox(
        layout, qtTrId("qtn_mms_proxy_port_setting"), QStringLiteral("mmsSettingsProxyPortButton"),
        {qtTrId("qtn_mms_settings_automatic"), qtTrId("qtn_mms_dialogtitle_user_defined")});
    m_connectionMode->setCurrentIndex(m_config.automaticConnection ? 0 : 1);
    connect(m_connectionMode, QOverload<int>::of(&TkComboBox::activated), this,
            &MmsSettingsWidget::onProxyDialogClicked);
}

void MmsSettingsWidget::initMessageDownloadingModeWidget(TkLinearLayoutPolicy* layout)
{
    QStringList items;
    if (hasHomeNetworkItem())
        items << qtTrId("qtn_mms_settings_auto_home");
    items << qtTrId("qtn_mms_settings_automatic") << qtTrId("qtn_mms_settings_manual");
    m_retrivalMode = addComboBox(layout, qtTrId("qtn_mms_msg_download"),
                                 QStringLiteral("mmsSettingsDownloadingMode"), items);
    // Without the home-network item a stored mode 0 selects nothing.
    m_retrivalMode->setCurrentIndex(m_config.retrivalMode - (hasHomeNetworkItem() ? 0 : 1));
    connect(m_retrivalMode, QOverload<int>::of(&TkComboBox::currentIndexChanged), this,
            &MmsSettingsWidget::msgRetrivalModeChanged);
}

QList<int> MmsSettingsWidget::messageSizes() const
{
    return m_config.restrictedMode ? restrictedSizes : normalSizes;
}

// The item showing the size; in restricted mode the nearest of 300 and 600 KB.
// -1 for a size the list does not know.
int MmsSettingsWidget::messageSizeIndex(int size) const
{
    if (!m_config.restrictedMode)
        return normalSizes.indexOf(size);
    if (size == MmsMainConfig::MAX_SIZE_100KB || size == MmsMainConfig::MAX_SIZE_300KB)
        return 0;
    if (size == MmsMainConfig::MAX_SIZE_600KB || size == MmsMainConfig::MAX_SIZE_1MB)
        return 1;
    return -1;
}

void MmsSettingsWidget::initMessageSizeWidget(TkLinearLayoutPolicy* layout)
{
    QStringList items;
    if (!m_config.restrictedMode)
        items << qtTrId("qtn_mms_settings_small").arg(100);
    items << qtTrId("qtn_mms_settings_medium").arg(300)
          << qtTrId("qtn_mms_settings_large").arg(600);
    if (!m_config.restrictedMode)
        items << qtTrId("qtn_mms_settings_extralarge").arg(1);
    m_messageSize = addComboBox(layout, qtTrId("qtn_mms_msg_size"),
                                QStringLiteral("mmsSettingsMessageSize"), items);

    int index = messageSizeIndex(m_config.maxMessageSize);
    if (index < 0) {
        qCCritical(lcMmsSettings) << "[MMS-SETTINGS] Unknown message size limit, reset to 300Kb";
        index = messageSizes().indexOf(MmsMainConfig::MAX_SIZE_300KB);
    }
    m_messageSize->setCurrentIndex(index);
    connect(m_messageSize, QOverload<int>::of(&TkComboBox::currentIndexChanged), this,
            &MmsSettingsWidget::msgMaxSizeChanged);
}

void MmsSettingsWidget::initMessageValidityWidget(TkLinearLayoutPolicy* layout)
{
    m_messageValidity = addComboBox(
        layout, qtTrId("qtn_mms_msg_validity"), QStringLiteral("mmsSettingsMessageValidity"),
        {qtTrId("qtn_mms_validity_hour").arg(1), qtTrId("qtn_mms_validity_day").arg(1),
         qtTrId("qtn_mms_validity_week").arg(1), qtTrId("qtn_mms_validity_maximum")});
    int index = validities.indexOf(m_config.messageValidity);
    if (index < 0) {
        qCCritical(lcMmsSettings)
            << "[MMS-SETTINGS] Unknown message validity, reset to maximum time;";
        index = validities.indexOf(MmsMainConfig::VALIDITY_MAXIMUM);
    }
    m_messageValidity->setCurrentIndex(index);
    connect(m_messageValidity, QOverload<int>::of(&TkComboBox::currentIndexChanged), this,
            &MmsSettingsWidget::msgValidityChanged);
}

void MmsSettingsWidget::initMessageReadReportModeWidget(TkLinearLayoutPolicy* layout)
{
    m_readReportMode = addComboBox(
        layout, qtTrId("qtn_mms_send_read_reports"), QStringLiteral("mmsSettingsReadReportMode"),
        {qtTrId("qtn_mms_always_send"), qtTrId("qtn_mms_prompt"), qtTrId("qtn_mms_do_not_send")});
    m_readReportMode->setCurrentIndex(readReportModes.indexOf(m_config.readReportMode));
    connect(m_readReportMode, QOverload<int>::of(&TkComboBox::currentIndexChanged), this,
            &MmsSettingsWidget::msgReadReportModeChanged);
}

TkSwitchButton* MmsSettingsWidget::addCheckButtonAndText(TkLinearLayoutPolicy* layout,
                                                         const QString& text,
                                                         const QString& objectName, bool checked)
{
    auto* panel = new QWidget;
    panel->setObjectName(objectName + QStringLiteral("Panel"));
    tk::setStyleName(panel, QStringLiteral("CommonPanelInverted"));
    panel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* panelLayout = new TkLayout(panel);
    auto* row = new TkLinearLayoutPolicy(panelLayout, Qt::Horizontal);
    row->setContentsMargins(QMargins(16, 8, 16, 8));
    panelLayout->setPolicy(row);

    auto* label = new QLabel(text);
    label->setObjectName(objectName + QStringLiteral("Label"));
    tk::setStyleName(label, QStringLiteral("CommonSingleTitleInverted"));
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    row->addItem(label, Qt::AlignVCenter);

    auto* button = new TkSwitchButton;
    button->setObjectName(objectName + QStringLiteral("Button"));
    tk::setStyleName(button, QStringLiteral("CommonRightSwitchInverted"));
    button->setChecked(checked);
    row->addItem(button, Qt::AlignVCenter);

    layout->addItem(panel);
    return button;
}

void MmsSettingsWidget::onProxyDialogClicked(int index)
{
    if (index == 0) {
        m_config.automaticConnection = true;
        m_config.save();
        return;
    }
    QTimer::singleShot(0, this, &MmsSettingsWidget::onStartConnectionSettingsDialog);
}

void MmsSettingsWidget::onStartConnectionSettingsDialog()
{
    m_connectionSettingsSheet->open();
}

void MmsSettingsWidget::onConnectionSettingsAccepted()
{
    m_connectionSettingsSheet->hide();
    m_config.automaticConnection = false;
    m_config.save();
    m_connSettingsWidget->save();
}

void MmsSettingsWidget::onConnectionSettingsRejected()
{
    m_connectionSettingsSheet->hide();
    m_connSettingsWidget->load();
    m_connectionMode->setCurrentIndex(m_config.automaticConnection ? 0 : 1);
}

void MmsSettingsWidget::msgRetrivalModeChanged(int index)
{
    if (index < 0 || index >= m_retrivalMode->count()) {
        qCCritical(lcMmsSettings) << "[MMS-SETTINGS] Invalid retrival mode selected!";
        return;
    }
    m_config.setRetrivalMode(
        MmsMainConfig::MESSAGE_RETRIVAL_MODE(hasHomeNetworkItem() ? index : index + 1));
    m_config.save();
}

void MmsSettingsWidget::msgMaxSizeChanged(int index)
{
    if (!isIndexOf(messageSizes(), index)) {
        qCCritical(lcMmsSettings)
            << "[MMS-SETTINGS] Invalid message size limit selected, reset to 300Kb";
        resetMessageSize();
        return;
    }
    m_config.setMaxMessageSize(MmsMainConfig::MAX_MESSAGE_SIZE(messageSizes().at(index)));
    m_config.save();
}

void MmsSettingsWidget::resetMessageSize()
{
    const QSignalBlocker blocker(m_messageSize);
    m_messageSize->setCurrentIndex(messageSizes().indexOf(MmsMainConfig::MAX_SIZE_300KB));
    m_config.setMaxMessageSize(MmsMainConfig::MAX_SIZE_300KB);
    m_config.save();
}

void MmsSettingsWidget::msgValidityChanged(int index)
{
    if (!isIndexOf(validities, index)) {
        qCCritical(lcMmsSettings)
            << "[MMS-SETTINGS] Invalid message validity selected, reset to maximum time";
        resetMessageValidity();
        return;
    }
    m_config.setMessageValidity(MmsMainConfig::MESSAGE_VALIDITY(validities.at(index)));
    m_config.save();
}

void MmsSettingsWidget::resetMessageValidity()
{
    if (m_messageValidity) {
        const QSignalBlocker blocker(m_messageValidity);
        m_messageValidity->setCurrentIndex(validities.indexOf(MmsMainConfig::VALIDITY_MAXIMUM));
    }
    m_config.setMessageValidity(MmsMainConfig::VALIDITY_MAXIMUM);
    m_config.save();
}

void MmsSettingsWidget::msgReadReportModeChanged(int index)
{
    if (!isIndexOf(readReportModes, index)) {
        qCCritical(lcMmsSettings) << "[MMS-SETTINGS] Invalid read report mode selected!";
        return;
    }
    m_config.setReadReportMode(MmsMainConfig::READ_REPORT_MODE(readReportModes.at(index)));
    m_config.save();
}

void MmsSettingsWidget::onDeliveryReportToggled(bool checked)
{
    qCDebug(lcMmsSettings).noquote() << "D: [MMS-SETTINGS] Delivery report clicked:" << checked;
    m_config.deliveryReport = checked;
    m_config.save();
}

void MmsSettingsWidget::onReadReportToggled(bool checked)
{
    qCDebug(lcMmsSettings).noquote() << "D: [MMS-SETTINGS] Read report clicked:" << checked;
    m_config.readReport = checked;
    m_config.save();
}
