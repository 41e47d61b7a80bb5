#include "subjectvalidator.h"

#include "messagingtextedit.h"

#include <QKeyEvent>

SubjectValidator::SubjectValidator(MessagingTextEdit* edit, QObject* parent)
    : QValidator(parent)
    , m_edit(edit)
{
}

QValidator::State SubjectValidator::validate(QString&, int&) const
{
    if (!m_edit || m_edit->maxLength() < 0) {
        return Acceptable;
    }
    return m_edit->plainText().length() > m_edit->maxLength() ? Invalid : Acceptable;
}

// Return only: the keypad's Enter is left to the field.
bool SubjectValidator::eventFilter(QObject* object, QEvent* event)
{
    if (object == m_edit && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return) {
        event->accept();
        emit actioneKeyPressed();
        return true;
    }
    return QValidator::eventFilter(object, event);
}
