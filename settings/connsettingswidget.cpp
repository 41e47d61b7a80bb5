#include "connsettingswidget.h"

#include "localizedintvalidator.h"
#include "tklayout.h"
#include "tklinearlayoutpolicy.h"
#include "tklineedit.h"
#include "tkstyle.h"

#include <QLabel>
#include <QLocale>
#include <QRegularExpressionValidator>

const QString ConnSettingsWidget::userDefined = QStringLiteral("UserDefined");

ConnSettingsWidget::ConnSettingsWidget(QWidget* parent)
    : QWidget(parent)
    , m_userDefinedConfig(MmsConfig::queryConfig(MmsConfig::USER_DEFINED))
{
    auto* layout = new TkLayout(this);
    auto* policy = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    layout->setPolicy(policy);

    auto* header = new QLabel(qtTrId("qtn_mms_dialogtitle_user_defined"));
    header->setObjectName(QStringLiteral("mmsSettingsHeaderLabel"));
    tk::setStyleName(header, QStringLiteral("CommonHeaderInverted"));
    policy->addItem(header);

    m_apnEdit =
        addField(policy, qtTrId("qtn_mms_settings_apn"), QStringLiteral("mmsSettingsApnLabel"),
                 QStringLiteral("mmsSettingsApnEditor"));
    m_apnEdit->setAutoCapitalizationEnabled(false);
    m_apnEdit->setValidator(noBlanksValidator());

    m_userNameEdit = addField(policy, qtTrId("qtn_mms_settings_user_name"),
                              QStringLiteral("mmsSettingsUserNameLabel"),
                              QStringLiteral("mmsSettingsUserNameEditor"));
    m_userNameEdit->setAutoCapitalizationEnabled(false);

    m_passwordEdit = addField(policy, qtTrId("qtn_mms_settings_password"),
                              QStringLiteral("mmsSettingsPasswordLabel"),
                              QStringLiteral("mmsSettingsPasswordEditor"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);

    m_mmscEdit =
        addField(policy, qtTrId("qtn_mms_mmsc_center"), QStringLiteral("mmsMMSCCenterLabel"),
                 QStringLiteral("mmsMMSCCenterEditor"));
    m_mmscEdit->setPrompt(qtTrId("qtn_mms_mmsc_center_tooltip"));
    m_mmscEdit->setContentType(TkLineEdit::Url);
    m_mmscEdit->setValidator(noBlanksValidator());

    m_mmscPortEdit =
        addField(policy, qtTrId("qtn_mms_mmsc_port"), QStringLiteral("mmsMMSCPortLabel"),
                 QStringLiteral("mmsMMSCPortEditor"));
    setUpPortEditor(m_mmscPortEdit);

    m_proxyEdit =
        addField(policy, qtTrId("qtn_mms_settings_proxy"), QStringLiteral("mmsSettingsProxyLabel"),
                 QStringLiteral("mmsSettingsProxyEditor"));
    m_proxyEdit->setAutoCapitalizationEnabled(false);
    m_proxyEdit->setValidator(noBlanksValidator());

    m_proxyPortEdit = addField(policy, qtTrId("qtn_mms_settings_proxy_port"),
                               QStringLiteral("mmsSettingsProxyPortLabel"),
                               QStringLiteral("mmsSettingsProxyPortEditor"));
    setUpPortEditor(m_proxyPortEdit);

    load();
}

TkLineEdit* ConnSettingsWidget::addField(TkLinearLayoutPolicy* layout, const QString& labelText,
                                         const QString& labelName, const QString& editorName)
{
    auto* label = new QLabel(labelText);
    label->setObjectName(labelName);
    tk::setStyleName(label, QStringLiteral("CommonFieldLabelInverted"));
    layout->addItem(label);

    auto* editor = new TkLineEdit;
    editor->setObjectName(editorName);
    tk::setStyleName(editor, QStringLiteral("CommonSingleInputFieldLabeledInverted"));
    editor->setPredictionEnabled(false);
    layout->addItem(editor);
    return editor;
}

// Any run of non-white-space characters: no blank can be typed.
QValidator* ConnSettingsWidget::noBlanksValidator()
{
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\S*")), this);
}

void ConnSettingsWidget::setUpPortEditor(TkLineEdit* editor)
{
    editor->setContentType(TkLineEdit::Number);
    editor->setValidator(new LocalizedIntValidator(this));
}

bool ConnSettingsWidget::isEmpty(const MmsConfig::Configuration& config)
{
    return config.apn.isEmpty() && config.mmsc.isEmpty() && config.userName.isEmpty() &&
           config.password.isEmpty() && config.proxy.isEmpty() && config.mmscPort == 0 &&
           config.proxyPort == 0;
}

MmsConfig::Configuration ConnSettingsWidget::provisionedConfiguration()
{
    MmsConfig::Configuration config; // unnamed: the operator's profile
    const QSharedPointer<MmsConfig> provisioned = MmsConfig::queryConfig(MmsConfig::PROVISIONED);
    if (provisioned)
        provisioned->readConfiguration(config);
    return config;
}

// Ports are shown in the locale's digits, without group separators.
QString ConnSettingsWidget::portText(int port)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(port);
}

int ConnSettingsWidget::portValue(const QString& text)
{
    bool ok = false;
    const int port = QLocale().toInt(text, &ok);
    return ok ? port : 0;
}

void ConnSettingsWidget::load()
{
    MmsConfig::Configuration config;
    config.name = userDefined;
    const bool read = m_userDefinedConfig && m_userDefinedConfig->readConfiguration(config);
    if (!read || isEmpty(config))
        config = provisionedConfiguration();

    m_apnEdit->setText(config.apn);
    m_mmscEdit->setText(config.mmsc);
    m_mmscPortEdit->setText(portText(config.mmscPort));
    m_proxyEdit->setText(config.proxy);
    m_proxyPortEdit->setText(portText(config.proxyPort));
    m_userNameEdit->setText(config.userName);
    m_passwordEdit->setText(config.password);
}

void ConnSettingsWidget::save()
{
    MmsConfig::Configuration config;
    config.name = userDefined;
    config.apn = m_apnEdit->text();
    config.mmsc = m_mmscEdit->text();
    config.proxy = m_proxyEdit->text();
    config.userName = m_userNameEdit->text();
    config.password = m_passwordEdit->text();
    config.mmscPort = portValue(m_mmscPortEdit->text());
    config.proxyPort = portValue(m_proxyPortEdit->text());
    if (m_userDefinedConfig)
        m_userDefinedConfig->writeConfiguration(config);
}
