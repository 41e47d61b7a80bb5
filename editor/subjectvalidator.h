#pragma once

#include <QPointer>
#include <QValidator>

class MessagingTextEdit;

// Keeps the subject within the field's maximum length counted as it is sent,
// with emoticons in their text form (":-)" is three characters, not one
// image). As the field's event filter it takes Return as "next field".
class SubjectValidator : public QValidator
{
    Q_OBJECT
public:
    SubjectValidator(MessagingTextEdit* edit, QObject* parent = nullptr);

    // Judges the field's whole content; `input` and `pos` are not looked at.
    State validate(QString& input, int& pos) const override;

signals:
    void actioneKeyPressed();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QPointer<MessagingTextEdit> m_edit;
};
