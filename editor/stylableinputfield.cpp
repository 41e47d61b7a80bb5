#include "stylableinputfield.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextEdit>

#include "tkstyle.h"

StylableInputField::StylableInputField(const QString& labelText, QTextEdit* edit, QWidget* parent)
    : QWidget(parent)
    , m_label(new QLabel(labelText, this))
    , m_edit(edit)
{
    tk::setStyleName(this, QStringLiteral("CommonEditorInputFieldPanel"));
    const Qt::LayoutDirection direction =
        labelText.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    setLayoutDirection(direction);
    QTextOption option = edit->document()->defaultTextOption();
    option.setTextDirection(direction);
    edit->document()->setDefaultTextOption(option);

    tk::setStyleName(m_label, QStringLiteral("CommonEditorInputFieldLabel"));
    m_label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    edit->setParent(this);
    tk::setStyleName(edit, QStringLiteral("CommonEditorInputField"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_label);
    row->addWidget(edit);

    m_label->installEventFilter(this);
    edit->installEventFilter(this);
}

void StylableInputField::setSelected(bool selected)
{
    const QString mode = selected ? QString::fromLatin1(tk::selectedStyleMode) : QString();
    tk::setStyleMode(this, mode);
    tk::setStyleMode(m_label, mode);
}

bool StylableInputField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::FocusIn) {
        setSelected(true);
    } else if (watched == m_edit && event->type() == QEvent::FocusOut) {
        setSelected(false);
    } else if (watched == m_label && event->type() == QEvent::MouseButtonPress) {
        m_edit->setFocus(Qt::MouseFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
