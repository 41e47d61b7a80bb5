#pragma once

#include "basepage.h"

#include <QTemporaryDir>

// A page of the demo that shows the plug-in's image widgets, one of each kind,
// on media generated into a temporary folder: bubble icons, pictures (one
// turned), an animated GIF, a text preview, a clip with its duration and a
// damaged picture that falls back to its icon.
class GalleryPage : public BasePage
{
    Q_OBJECT
public:
    explicit GalleryPage(AbstractPageManager* pageManager);

    void createContent() override;
    int pageType() const override { return 20; }

private:
    QTemporaryDir m_media;
};
