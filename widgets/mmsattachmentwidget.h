#pragma once

#include "mmsimagewidget.h"

#include <QPropertyAnimation>
#include <QSharedPointer>

class QMovie;

// The framed preview of one file in the viewer and the editor: the picture
// (turned by its rotation), an animated GIF, the start of a text file, or the
// MIME icon; a thumbnail fades in over it when one arrives. A strip at the
// bottom names the file and shows the clip's duration.
class MMSAttachmentWidget : public MMSImageWidget
{
    Q_OBJECT
    Q_PROPERTY(float transitionOpacity READ transitionOpacity WRITE setTransitionOpacity)
public:
    // The text preview shows at most this many characters of a text file.
    static constexpr int textPreviewLength = 300;

    MMSAttachmentWidget(const QString& fileName, const QString& mimeType, int rotation,
                        bool animate, QWidget* parent = nullptr);
    ~MMSAttachmentWidget() override;

    void setDurationText(const QString& text);
    void setDisplayDefaultIcon(bool display);
    void updatePixmap();
    Q_INVOKABLE void updateIcon();
    int bottomFrameHeight() const;

    float transitionOpacity() const { return m_transitionOpacity; }
    void setTransitionOpacity(float opacity);

    // The start of a text file as the preview shows it; null when unreadable.
    static QString textPreview(const QString& fileName);

public slots:
    void frameUpdated();

protected:
    void applyStyle() override;
    void updatePixmapWithThumbnail(const QString& path) override;
    void drawContents(QPainter* painter) override;

    void drawLabel(QPainter* painter, const QSize& size);

    int rotation;
    QString durationText;
    QSharedPointer<QMovie> movie;
    bool displayDefaultIcon = true;
    QSize targetSize;
    QPixmap labelPixmap;
    QPoint frameOffset;
    QSize frameSize;
    QPropertyAnimation transition;
    QPixmap previousPixmap;

private:
    void startMovie();
    void updateFrameGeometry();
    QImage readPicture();
    QImage contentImage();
    QImage composeFramed(const QImage& content) const;
    void drawTextPreview(QPainter* painter) const;
    void updateLabel();

    float m_transitionOpacity = 0.0f;
};
