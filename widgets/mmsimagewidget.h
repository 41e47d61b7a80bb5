#pragma once

#include "mmsimagewidgetstyle.h"
#include "storage.h"
#include "tkstylablewidget.h"

#include <QPixmap>
#include <QPointer>
#include <QScopedPointer>
#include <QUrl>

class QAction;
class QDialog;
class TkScalableImage;

// One file of a message drawn as a picture: its MIME icon, a picture or a
// thumbnail. A tap opens the file in the desktop's viewer; the object menu
// offers to save a copy unless the file lies on the private storage.
class MMSImageWidget : public TkStylableWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor)
    Q_PROPERTY(QColor textPreviewColor READ textPreviewColor WRITE setTextPreviewColor)
    Q_PROPERTY(QFont textFont READ textFont WRITE setTextFont)
    Q_PROPERTY(int textMarginLeft READ textMarginLeft WRITE setTextMarginLeft)
    Q_PROPERTY(int textMarginTop READ textMarginTop WRITE setTextMarginTop)
    Q_PROPERTY(int textPanelHeight READ textPanelHeight WRITE setTextPanelHeight)
    Q_PROPERTY(QSize iconSize READ iconSize WRITE setIconSize)
public:
    explicit MMSImageWidget(QWidget* parent = nullptr);
    MMSImageWidget(const QString& fileName, const QString& mimeType, QWidget* parent = nullptr);
    ~MMSImageWidget() override;

    void setFileName(const QString& fileName);
    QString filePath() const { return fileName; }
    void enableClickAction(bool enable);
    void enableSaveAsAction(bool enable);
    // The theme's icon for the MIME type; the style's icon size when invalid.
    QPixmap pixmapForMime(const QSize& size = QSize()) const;

    // Whether a file lies on the private storage (mmsui::utils::setPrivateStorageCheck).
    using PrivateStorageCheck = mmsui::utils::PrivateStorageCheck;
    static void setPrivateStorageCheck(const PrivateStorageCheck& check);

    // The picture could not be read; the MIME icon shows instead.
    bool isLoadFailed() const { return loadFailed; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    QColor textColor() const { return m_style->textColor; }
    QColor textPreviewColor() const { return m_style->textPreviewColor; }
    QFont textFont() const { return m_style->textFont; }
    int textMarginLeft() const { return m_style->textMarginLeft; }
    int textMarginTop() const { return m_style->textMarginTop; }
    int textPanelHeight() const { return m_style->textPanelHeight; }
    QSize iconSize() const { return m_style->iconSize; }
    void setTextColor(const QColor& color);
    void setTextPreviewColor(const QColor& color);
    void setTextFont(const QFont& font);
    void setTextMarginLeft(int margin);
    void setTextMarginTop(int margin);
    void setTextPanelHeight(int height);
    void setIconSize(const QSize& size);

public slots:
    void saveContent();
    void dialogSaveAsFinished(int result);
    void contentSaved(QObject* dialog);
    // Always invoked queued: the thumbnail client may answer at once.
    void asyncCreateIconForResource(const QString& flavor);
    void thumbnailCreated(const QUrl& file, const QUrl& thumbnail, const QPixmap& pixmap);

protected:
    virtual void updatePixmapWithThumbnail(const QString& path);

    void drawContents(QPainter* painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void cancelEvent() override;

    const MMSImageWidgetStyle* imageStyle() const { return m_style.style(); }
    // The content rectangle, at the origin of drawContents().
    QRect contentRect() const { return QRect(QPoint(0, 0), contentSize); }

    static void loadMask();
    // The thumbnail file's picture; null, with a warning, when unreadable.
    static QImage readThumbnail(const QString& path);

    bool pressed = false;
    QString fileName;
    QString mimeType;
    bool clickEnabled = true;
    bool usesThumbnail = false;
    bool hasThumbnail = false;
    QPixmap pixmap;
    QSize contentSize;
    bool loadFailed = false;
    QString savedFileName;
    QAction* saveAsAction = nullptr;

    static QScopedPointer<TkScalableImage> m_iconMask;
    static QScopedPointer<TkScalableImage> m_iconShadow;
    static QScopedPointer<TkScalableImage> m_mask;
    static QScopedPointer<TkScalableImage> m_overlay;
    static QScopedPointer<QPixmap> m_playButton;

private:
    void openContent();
    void showNotSupportedBanner();

    MMSImageWidgetStyleContainer m_style;
    QPointer<QDialog> m_saveAsDialog;
};
