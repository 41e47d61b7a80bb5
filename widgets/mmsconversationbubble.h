#pragma once

#include "clickablebubble.h"
#include "event.h"
#include "mmsconversationbubblestyle.h"

#include <QPointF>
#include <QPointer>
#include <QSizeF>
#include <QTimer>

class AvatarWidget;
class MMSBubbleIcon;
class QAction;
class QBoxLayout;
class QLabel;
class ReadReportSender;
namespace Chronel {
class SingleEventModel;
}

// One multimedia message in the conversation view: its subject or first
// text, one attachment or contact picture, a received notification's download
// state and the status line. Tapping opens the viewer (or resends a failed
// message); its actions delete the message or the conversation.
class MmsConversationBubble : public ClickableBubble
{
    Q_OBJECT
    // The theme addresses the bubble by its style class and sets the style's
    // attributes through these properties.
    Q_PROPERTY(QString styleClass READ styleType CONSTANT)
    Q_PROPERTY(int maximumBubbleWidth READ maximumBubbleWidth WRITE setMaximumBubbleWidth)
    Q_PROPERTY(int paddingLeft READ paddingLeft WRITE setPaddingLeft)
    Q_PROPERTY(int paddingTop READ paddingTop WRITE setPaddingTop)
    Q_PROPERTY(int paddingRight READ paddingRight WRITE setPaddingRight)
    Q_PROPERTY(int paddingBottom READ paddingBottom WRITE setPaddingBottom)
    Q_PROPERTY(int marginLeft READ marginLeft WRITE setMarginLeft)
    Q_PROPERTY(int marginTop READ marginTop WRITE setMarginTop)
    Q_PROPERTY(int marginRight READ marginRight WRITE setMarginRight)
    Q_PROPERTY(int marginBottom READ marginBottom WRITE setMarginBottom)
public:
    MmsConversationBubble(const Chronel::Event& event, QWidget* parent = nullptr);
    ~MmsConversationBubble() override;

    void updateEvent(const Chronel::Event& event);
    // The size computed at the last update, (-1, -1) before the first.
    QSize sizeHint() const override;
    bool isContentForwardLocked() const;

    QString styleType() const { return QStringLiteral("MmsConversationBubbleStyle"); }

    int maximumBubbleWidth() const { return style()->maximumSize().width(); }
    void setMaximumBubbleWidth(int width) { style()->setMaximumSize(QSize(width, -1)); }
    int paddingLeft() const { return style()->paddingLeft(); }
    int paddingTop() const { return style()->paddingTop(); }
    int paddingRight() const { return style()->paddingRight(); }
    int paddingBottom() const { return style()->paddingBottom(); }
    void setPaddingLeft(int padding) { style()->setPaddingLeft(padding); }
    void setPaddingTop(int padding) { style()->setPaddingTop(padding); }
    void setPaddingRight(int padding) { style()->setPaddingRight(padding); }
    void setPaddingBottom(int padding) { style()->setPaddingBottom(padding); }
    int marginLeft() const { return style()->marginLeft(); }
    int marginTop() const { return style()->marginTop(); }
    int marginRight() const { return style()->marginRight(); }
    int marginBottom() const { return style()->marginBottom(); }
    void setMarginLeft(int margin) { style()->setMarginLeft(margin); }
    void setMarginTop(int margin) { style()->setMarginTop(margin); }
    void setMarginRight(int margin) { style()->setMarginRight(margin); }
    void setMarginBottom(int margin) { style()->setMarginBottom(margin); }

signals:
    void moving(bool isMoving);
    void deleteMessage(int id);
    void forwardMessage(Chronel::Event event);
    void resendMessage(Chronel::Event event);
    void deleteAllMessages();

public slots:
    void slotBubbleClicked();
    void slotOnDeleteDialogFinished(int result);

private slots:
    void onPanningStopped();
    void onPositionChanged(QPointF pos);
    void slotOnDeleteAll();
    void slotOnDelete();
    void slotReadReportDialogFinished(int result);

private:
    // The bubble's style, owned by the bubble.
    MmsConversationBubbleStyleContainer* createStyleContainer();
    MmsConversationBubbleStyle* style() const { return m_styleContainer->style(); }

    void createBubble();
    AvatarWidget* avatar();
    QLabel* defaultLabel();
    QLabel* notificationLabel();
    void updateAlignment();
    void updateBubble();
    void resetContent();
    QString statusText() const;
    QString timestampStyle() const;
    void showParts(QString& text);
    void showContactCard(const QString& fileName);
    void placeAttachment(QWidget* attachment);
    void showNotification();
    void showText(const QString& text);
    QString elidedText(const QString& text) const;
    void calculateSize();
    void followPannableParent();
    // True when the deletion waits for the answer to the read-report question.
    bool askOrSendDeletedUnreadReport();
    void sendDeletedUnreadReport(const QString& mmsId, const QString& remoteUid);
    void deleteRememberedEvent();
    void showQuestion(const QString& title, const QString& text, const char* finishedSlot);

    QBoxLayout* m_mainPolicy = nullptr;
    Chronel::Event m_event;
    bool m_moving = false;
    QAction* m_deleteAction;
    QAction* m_deleteAllAction;
    QLabel* m_textLabel = nullptr;
    QLabel* m_defaultLabel = nullptr;
    QLabel* m_timestampLabel = nullptr;
    QBoxLayout* m_innerColumnPolicy = nullptr;
    bool m_linksHighlighted = false;
    QPointer<ReadReportSender> m_reportSender;
    int m_idToDelete = 0;
    Chronel::SingleEventModel* m_model = nullptr;
    QString m_reportRemoteUid;
    QString m_reportMmsId;
    AvatarWidget* m_avatar = nullptr;
    MMSBubbleIcon* m_icon = nullptr;
    QLabel* m_notificationLabel = nullptr;
    QTimer m_panningTimer;
    float m_width = -1;
    float m_height = -1;
    bool m_iconShown = false;
    bool m_avatarShown = false;
    bool m_notificationShown = false;
    bool m_defaultLabelShown = false;
    bool m_incoming = false;
    bool m_created = false;

    MmsConversationBubbleStyleContainer* m_styleContainer;
    QPointer<QObject> m_followedViewport;
};
