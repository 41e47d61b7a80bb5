#pragma once

#include <QString>

class QLabel;

// Shows text with emoticons as images in a label.
class EmoticonUtils
{
public:
    // Leaves the label as it is when there is nothing to show.
    static void setLabelText(QLabel* label, const QString& text);
};
