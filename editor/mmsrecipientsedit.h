#pragma once

#include "recipientsedit.h"

// The editor's recipients field. The buttons of its input-method toolbar
// (toolbarDescription(), for TkInputMethodState::registerAttributeExtension)
// arrive as Meta+K, attach, and Meta+L, send.
class MmsRecipientsEdit : public Tollis::RecipientsEdit
{
    Q_OBJECT
public:
    // "mms-editor-toolbar-recipient.xml", readable once an editor exists.
    static QString toolbarDescription();

    MmsRecipientsEdit(QtContacts::QContactManager* manager, int addressType,
                      bool contactPickerButton, QWidget* parent = nullptr);

signals:
    void sendButtonClicked();
    void attachmentButtonClicked();

protected:
    bool event(QEvent* event) override;
};
