#pragma once

#include "basepage.h"

#include <QTemporaryDir>

// A page of the demo that shows the plug-in's contact widgets: an address
// label resolved against the contacts store, a contact card read from a
// generated vCard and a selectable text.
class ContactGalleryPage : public BasePage
{
    Q_OBJECT
public:
    explicit ContactGalleryPage(AbstractPageManager* pageManager);

    void createContent() override;
    int pageType() const override { return 21; }

private:
    QTemporaryDir m_media;
};
