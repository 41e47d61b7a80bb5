#include "settingspage.h"

#include "messaginguiplugininterface.h"

#include <QVBoxLayout>

SettingsPage::SettingsPage(AbstractPageManager* pageManager, MessagingUIPluginInterface* plugin)
    : BasePage(pageManager)
    , m_plugin(plugin)
{
    setObjectName(QStringLiteral("hostSettingsPage"));
    setTitle(tr("Settings"));
}

void SettingsPage::createContent()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_plugin->createSettingsWidget(content));
    column->addStretch(1);
    setCentralWidget(content);
}
