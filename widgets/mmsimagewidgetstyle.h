#pragma once

#include "tkstylecontainer.h"
#include "tkwidgetstyle.h"

#include <QColor>
#include <QFont>
#include <QSize>

// The look of the image widgets: the label strip's text, the text preview and
// the size of MIME icons.
class MMSImageWidgetStyle : public TkWidgetStyle
{
    Q_OBJECT
public:
    using TkWidgetStyle::TkWidgetStyle;

    QColor textColor = QColor(Qt::white);
    QColor textPreviewColor = QColor(Qt::black);
    QFont textFont;
    int textMarginLeft = 8;
    int textMarginTop = 4;
    int textPanelHeight = 32;
    QSize iconSize = QSize(64, 64);
};

using MMSImageWidgetStyleContainer = TkStyleContainer<MMSImageWidgetStyle>;
