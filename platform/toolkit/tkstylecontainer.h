#pragma once

#include <QString>

// Holds the style object of one widget and the mode it is shown in ("default",
// "pressed"); the stylable widget publishes the mode to the theme.
template <typename Style> class TkStyleContainer
{
public:
    Style* operator->() const { return m_style; }
    Style* style() const { return m_style; }
    void setStyle(Style* style) { m_style = style; }

    QString mode() const { return m_mode; }
    void setModeDefault() { m_mode = QStringLiteral("default"); }
    void setModePressed() { m_mode = QStringLiteral("pressed"); }

private:
    Style* m_style = nullptr;
    QString m_mode = QStringLiteral("default");
};
