#pragma once

#include "tkstylecontainer.h"
#include "tkwidgetstyle.h"

// The style of the conversation bubble. It has no attributes of its own: it
// exists so that the theme can address these widgets by style class.
class MmsConversationBubbleStyle : public TkWidgetStyle
{
    Q_OBJECT
public:
    using TkWidgetStyle::TkWidgetStyle;
};

using MmsConversationBubbleStyleContainer = TkStyleContainer<MmsConversationBubbleStyle>;
