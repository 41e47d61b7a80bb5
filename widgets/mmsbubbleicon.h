#pragma once

#include "mmsimagewidget.h"

// The small square icon of a conversation bubble or of the quick-send widget:
// the MIME icon until the file's thumbnail, cut to the avatar shape, replaces it.
class MMSBubbleIcon : public MMSImageWidget
{
    Q_OBJECT
public:
    MMSBubbleIcon(const QString& fileName, const QString& mimeType, QWidget* parent = nullptr);

    void setMimeType(const QString& mimeType);
    void setDefaultImageByMime();
    Q_INVOKABLE void updateIcon();

public slots:
    // The view around the icon stopped (false) or started moving.
    void onMoving(bool moving);

protected:
    void applyStyle() override;
    void updatePixmapWithThumbnail(const QString& path) override;
};
