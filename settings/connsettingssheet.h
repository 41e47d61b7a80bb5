#pragma once

#include "tksheet.h"

class ConnSettingsWidget;

// The modal sheet around the connection profile form: Cancel and Done in its
// header, the form in a pannable viewport below.
class ConnSettingsSheet : public TkSheet
{
    Q_OBJECT
public:
    explicit ConnSettingsSheet(QWidget* parent = nullptr);

    ConnSettingsWidget* form() const { return m_form; }

private:
    ConnSettingsWidget* m_form;
};
