#include "mmsspinneroverlaywidget.h"

#include <QGridLayout>
#include <QMouseEvent>

#include "tkspinner.h"
#include "tkstyle.h"
#include "tkwidgetstyle.h"

MmsSpinnerOverlayWidget::MmsSpinnerOverlayWidget(QWidget* parent)
    : MmsSpinnerOverlayWidget(new TkWidgetStyle, parent)
{
}

MmsSpinnerOverlayWidget::MmsSpinnerOverlayWidget(TkWidgetStyle* style, QWidget* parent)
    : TkStylableWidget(style, parent)
    , m_spinner(new TkSpinner(this))
{
    tk::setStyleName(m_spinner, QStringLiteral("SMFSpinner"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int outer : {0, 2}) {
        grid->setRowStretch(outer, 1);
        grid->setColumnStretch(outer, 1);
    }
    grid->addWidget(m_spinner, 1, 1, Qt::AlignCenter);
}

void MmsSpinnerOverlayWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void MmsSpinnerOverlayWidget::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}
