#pragma once

#include <QStringList>
#include <QWidget>

// A widget that a message-type plug-in shows beside the host's text edit for
// files the user shares: it holds the attachment references and, when it
// sends the message itself, tells the host so.
class MessageAttachmentWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MessageAttachmentWidget(QWidget* parent = nullptr);

    void setAttachments(const QStringList& references) { m_references = references; }

public slots:
    // The references the widget holds.
    virtual QStringList attachments() const;
    // The text that goes with the attachments; the host's edit holds it.
    virtual QString plainText() const;
    // The host shares a further file while the widget is shown.
    virtual void addAttachment(const QString& reference);

signals:
    // The host removes the widget.
    void attachmentRemoved();
    // The widget sent the message itself; the host drops it.
    void messageSent();

private:
    QStringList m_references;
};
