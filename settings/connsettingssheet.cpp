#include "connsettingssheet.h"

#include "connsettingswidget.h"
#include "tkpannableviewport.h"
#include "tkstyle.h"

#include <QPushButton>

ConnSettingsSheet::ConnSettingsSheet(QWidget* parent)
    : TkSheet(parent)
    , m_form(new ConnSettingsWidget)
{
    if (QWidget* header = findChild<QWidget*>(QStringLiteral("TkSheetHeader")))
        tk::setStyleName(header, QStringLiteral("CommonSheetHeaderPanelInverted"));
    cancelButton()->setText(qtTrId("qtn_comm_cancel"));
    tk::setStyleName(cancelButton(), QStringLiteral("CommonSheetHeaderButtonInverted"));
    doneButton()->setText(qtTrId("qtn_comm_command_done"));
    tk::setStyleName(doneButton(), QStringLiteral("CommonSheetHeaderButtonAccentInverted"));

    auto* viewport = new TkPannableViewport;
    tk::setStyleName(viewport, QStringLiteral("SheetCentralSlotIverted"));
    viewport->setWidget(m_form);
    setCentralWidget(viewport);
}
