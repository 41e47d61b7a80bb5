#include "mmsconversationbubblestyle.h"

#include "tkstyleregistry.h"

TK_REGISTER_STYLE("libdravel", MmsConversationBubbleStyle)

MmsConversationBubbleStyle::MmsConversationBubbleStyle(QObject* parent)
    : TkWidgetStyle(parent)
{
}
