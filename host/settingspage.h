#pragma once

#include "basepage.h"

class MessagingUIPluginInterface;

// The host's settings page: it holds the settings widget of the plug-in.
class SettingsPage : public BasePage
{
    Q_OBJECT
public:
    SettingsPage(AbstractPageManager* pageManager, MessagingUIPluginInterface* plugin);

    void createContent() override;
    int pageType() const override { return 9; }

private:
    MessagingUIPluginInterface* m_plugin;
};
