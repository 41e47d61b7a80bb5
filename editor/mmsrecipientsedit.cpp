#include "mmsrecipientsedit.h"

#include <QKeyEvent>

static void initToolbarResource()
{
    Q_INIT_RESOURCE(editor_imtoolbars);
}

QString MmsRecipientsEdit::toolbarDescription()
{
    return QStringLiteral("mms-editor-toolbar-recipient.xml");
}

MmsRecipientsEdit::MmsRecipientsEdit(QtContacts::QContactManager* manager, int addressType,
                                     bool contactPickerButton, QWidget* parent)
    : Tollis::RecipientsEdit(manager, addressType, contactPickerButton, parent)
{
    // The description travels inside the library; the input method reads it
    // from the resource folder.
    initToolbarResource();
}

bool MmsRecipientsEdit::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & Qt::MetaModifier) {
            if (key->key() == Qt::Key_K) {
                event->accept();
                emit attachmentButtonClicked();
                return true;
            }
            if (key->key() == Qt::Key_L) {
                event->accept();
                emit sendButtonClicked();
                return true;
            }
        }
    }
    return Tollis::RecipientsEdit::event(event);
}
