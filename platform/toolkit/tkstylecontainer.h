#pragma once

// Holds the style object of one stylable widget, typed by its style class.
template <typename Style> class TkStyleContainer
{
public:
    Style* operator->() const { return m_style; }
    Style* style() const { return m_style; }
    void setStyle(Style* style) { m_style = style; }

private:
    Style* m_style = nullptr;
};
