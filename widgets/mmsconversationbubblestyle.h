#pragma once

#include "tkstylecontainer.h"
#include "tkwidgetstyle.h"

// The style of the conversation bubble. It has no attributes of its own: it
// exists so that the theme can address these widgets by style class.
class MmsConversationBubbleStyle : public TkWidgetStyle
{
    Q_OBJECT
public:
    // Defined out of line: the definition links in the class's declaration
    // to the style registry.
    explicit MmsConversationBubbleStyle(QObject* parent = nullptr);
};

using MmsConversationBubbleStyleContainer = TkStyleContainer<MmsConversationBubbleStyle>;
