#include "tklineedit.h"

TkLineEdit::TkLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

void TkLineEdit::setContentType(ContentType type)
{
    m_contentType = type;
    updateHints();
}

void TkLineEdit::setAutoCapitalizationEnabled(bool enabled)
{
    m_autoCapitalization = enabled;
    updateHints();
}

void TkLineEdit::setPredictionEnabled(bool enabled)
{
    m_prediction = enabled;
    updateHints();
}

void TkLineEdit::updateHints()
{
    // Hints of other origin (those of password echo) stay.
    const Qt::InputMethodHints ours = Qt::ImhDigitsOnly | Qt::ImhUrlCharactersOnly |
                                      Qt::ImhNoAutoUppercase | Qt::ImhNoPredictiveText;
    Qt::InputMethodHints hints = inputMethodHints() & ~ours;
    if (m_contentType == Number)
        hints |= Qt::ImhDigitsOnly;
    else if (m_contentType == Url)
        hints |= Qt::ImhUrlCharactersOnly;
    if (!m_autoCapitalization)
        hints |= Qt::ImhNoAutoUppercase;
    if (!m_prediction)
        hints |= Qt::ImhNoPredictiveText;
    setInputMethodHints(hints);
}
