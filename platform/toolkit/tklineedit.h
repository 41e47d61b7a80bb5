#pragma once

#include <QLineEdit>

// A single-line editor with a prompt shown while it is empty, and hints to the
// input method: what kind of content it takes, capitalisation and prediction.
// Password echo is QLineEdit's own echo mode.
class TkLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    enum ContentType { FreeText, Number, Url };

    explicit TkLineEdit(QWidget* parent = nullptr);

    void setPrompt(const QString& prompt) { setPlaceholderText(prompt); }
    QString prompt() const { return placeholderText(); }

    void setContentType(ContentType type);
    ContentType contentType() const { return m_contentType; }

    void setAutoCapitalizationEnabled(bool enabled);
    bool isAutoCapitalizationEnabled() const { return m_autoCapitalization; }

    void setPredictionEnabled(bool enabled);
    bool isPredictionEnabled() const { return m_prediction; }

private:
    void updateHints();

    ContentType m_contentType = FreeText;
    bool m_autoCapitalization = true;
    bool m_prediction = true;
};
