#include "corvaneuitestprobe.h"

#include "tkquerydialog.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>

CorvaneUiTestProbe::CorvaneUiTestProbe(QObject* parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool CorvaneUiTestProbe::eventFilter(QObject* watched, QEvent* event)
{
    auto* dialog = qobject_cast<TkQueryDialog*>(watched);
    if (dialog && event->type() == QEvent::Show) {
        onShown(dialog);
    } else if (dialog && event->type() == QEvent::Hide) {
        m_open.remove(dialog);
    }
    return QObject::eventFilter(watched, event);
}

void CorvaneUiTestProbe::onShown(TkQueryDialog* dialog)
{
    ++m_shown;
    m_open.insert(dialog);
    if (!m_alive.contains(dialog)) {
        m_alive.insert(dialog);
        connect(dialog, &QObject::destroyed, this, [this](QObject* gone) {
            m_open.remove(gone);
            m_alive.remove(gone);
        });
    }
    m_peakOpen = qMax(m_peakOpen, m_open.size());
    m_peakAlive = qMax(m_peakAlive, m_alive.size());
}

TkQueryDialog* CorvaneUiTestProbe::theOpenDialog() const
{
    return m_open.isEmpty() ? nullptr : static_cast<TkQueryDialog*>(*m_open.cbegin());
}

QVariantMap CorvaneUiTestProbe::openDialog() const
{
    const TkQueryDialog* dialog = theOpenDialog();
    if (!dialog) {
        return {};
    }
    return {{QStringLiteral("title"), dialog->title()},
            {QStringLiteral("text"), dialog->text()},
            {QStringLiteral("systemModal"), dialog->isSystemModal()},
            {QStringLiteral("deleteOnClose"), dialog->testAttribute(Qt::WA_DeleteOnClose)}};
}

bool CorvaneUiTestProbe::answer(bool yes)
{
    TkQueryDialog* dialog = theOpenDialog();
    if (!dialog) {
        return false;
    }
    (yes ? dialog->yesButton() : dialog->noButton())->click();
    return true;
}
