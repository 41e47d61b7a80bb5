#include "messageattachmentwidget.h"

MessageAttachmentWidget::MessageAttachmentWidget(QWidget* parent)
    : QWidget(parent)
{
}

QStringList MessageAttachmentWidget::attachments() const
{
    return m_references;
}

QString MessageAttachmentWidget::plainText() const
{
    return QString();
}

void MessageAttachmentWidget::addAttachment(const QString& reference)
{
    if (!m_references.contains(reference)) {
        m_references << reference;
    }
}
