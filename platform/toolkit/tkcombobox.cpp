#include "tkcombobox.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

TkComboBox::TkComboBox(QWidget* parent)
    : QComboBox(parent)
{
}

void TkComboBox::setTitle(const QString& title)
{
    m_title = title;
    updateGeometry();
    update();
}

QSize TkComboBox::withTitleLine(QSize size) const
{
    size.rheight() += fontMetrics().height();
    size.setWidth(qMax(size.width(), fontMetrics().horizontalAdvance(m_title) + size.height()));
    return size;
}

QSize TkComboBox::sizeHint() const
{
    return withTitleLine(QComboBox::sizeHint());
}

QSize TkComboBox::minimumSizeHint() const
{
    return withTitleLine(QComboBox::minimumSizeHint());
}

void TkComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);

    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const int titleHeight = field.height() / 2;
    QFont titleFont = font();
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.drawText(field.adjusted(0, 0, 0, -(field.height() - titleHeight)),
                     Qt::AlignLeft | Qt::AlignVCenter, m_title);
    painter.setFont(font());
    painter.drawText(field.adjusted(0, titleHeight, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     currentText());
}
