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
    // Defined out of line: the definition links in the class's declaration
    // to the style registry.
    explicit MMSImageWidgetStyle(QObject* parent = nullptr);

    QColor textColor = QColor(Qt::white);
    QColor textPreviewColor = QColor(Qt::black);
    QFont textFont;
    int textMarginLeft = 8;
    int textMarginTop = 4;
    int textPanelHeight = 32;
    QSize iconSize = QSize(64, 64);
};

using MMSImageWidgetStyleContainer = TkStyleContainer<MMSImageWidgetStyle>;
