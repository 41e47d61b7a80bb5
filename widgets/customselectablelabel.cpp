#include "customselectablelabel.h"

#include "customedit.h"
#include "emoticontransformer.h"
#include "emoticonutils.h"
#include "tklayout.h"
#include "tklinearlayoutpolicy.h"
#include "tkstyle.h"
#include "tktexteditmodel.h"

#include <QGestureEvent>
#include <QLabel>
#include <QLayout>
#include <QTapAndHoldGesture>
#include <QTimer>

CustomSelectableLabel::CustomSelectableLabel(const QString& text, QWidget* parent)
    : QWidget(parent)
{
    createLabel();
    createEditor();
    m_layout = new TkLayout(this);
    m_labelPolicy = createPolicy(m_label);
    m_editPolicy = createPolicy(m_edit);
    activate(m_labelPolicy);
    grabGesture(Qt::TapAndHoldGesture);
    setText(text);
}

void CustomSelectableLabel::createLabel()
{
    m_label = new QLabel(this);
    m_label->setWordWrap(true);
    m_label->setTextFormat(Qt::RichText);
}

void CustomSelectableLabel::createEditor()
{
    m_edit = new CustomEdit(this);
    m_edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QTextOption option = m_edit->document()->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setAlignment(m_label->alignment());
    m_edit->document()->setDefaultTextOption(option);
    m_edit->document()->setDefaultFont(m_label->font());
    m_edit->setSizePolicy(m_label->sizePolicy());
    m_editModel = m_edit->model();
    connect(m_editModel, &TkTextEditModel::modified, this,
            &CustomSelectableLabel::onEditModelModified);
}

TkLinearLayoutPolicy* CustomSelectableLabel::createPolicy(QWidget* widget)
{
    auto* policy = new TkLinearLayoutPolicy(m_layout, Qt::Vertical);
    policy->setContentsMargins(QMargins());
    policy->addItem(widget);
    return policy;
}

// The policy stays in place when the window turns.
void CustomSelectableLabel::activate(TkLinearLayoutPolicy* policy)
{
    m_layout->setPolicy(policy);
    if (QLayout* box = layout())
        box->activate();
}

void CustomSelectableLabel::setText(const QString& text)
{
    const QString html = text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
    m_label->clear();
    EmoticonUtils::setLabelText(m_label, html);
    m_edit->setHtml(html);
    EmoticonTransformer().transformTextDocument(m_edit->document(), m_edit->fontMetrics().ascent());
}

void CustomSelectableLabel::setStyleName(const QString& name)
{
    tk::setStyleName(m_label, name);
    tk::setStyleName(m_edit, QStringLiteral("LikeLabel") + name);
}

void CustomSelectableLabel::switchToEdit()
{
    m_editMode = true;
    activate(m_editPolicy);
    m_edit->setFocus();
}

void CustomSelectableLabel::switchToLabel()
{
    m_editMode = false;
    activate(m_labelPolicy);
}

bool CustomSelectableLabel::event(QEvent* event)
{
    if (event->type() == QEvent::Gesture) {
        auto* gestures = static_cast<QGestureEvent*>(event);
        if (auto* gesture =
                static_cast<QTapAndHoldGesture*>(gestures->gesture(Qt::TapAndHoldGesture))) {
            tapAndHoldGestureEvent(gestures, gesture);
            return true;
        }
    }
    return QWidget::event(event);
}

void CustomSelectableLabel::tapAndHoldGestureEvent(QGestureEvent* event,
                                                   QTapAndHoldGesture* gesture)
{
    if (m_editMode) {
        event->ignore(gesture);
        return;
    }
    event->accept(gesture);
    if (gesture->state() != Qt::GestureFinished)
        return;
    switchToEdit();
    m_hitPosition = gesture->position();
    if (!m_hitTimer) {
        m_hitTimer = new QTimer(this);
        m_hitTimer->setSingleShot(true);
        m_hitTimer->setInterval(0);
        connect(m_hitTimer, &QTimer::timeout, this, &CustomSelectableLabel::hitTimeout);
    }
    m_hitTimer->start();
}

void CustomSelectableLabel::hitTimeout()
{
    const QPointF position = m_edit->mapFromGlobal(m_hitPosition.toPoint());
    if (!m_edit->startSelection(position))
        switchToLabel();
}

void CustomSelectableLabel::onEditModelModified(const QList<const char*>& members)
{
    if (m_editMode && TkTextEditModel::includes(members, TkTextEditModel::Selecting) &&
        !m_editModel->isSelecting())
        switchToLabel();
}
