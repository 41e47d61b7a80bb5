#pragma once

#include <QIntValidator>

// A port number, 0 to 65535, typed in the locale's own digits or in Latin ones.
class LocalizedIntValidator : public QIntValidator
{
    Q_OBJECT
public:
    explicit LocalizedIntValidator(QObject* parent = nullptr);

    // Judges a copy of the input in Latin digits; the input itself is left as typed.
    State validate(QString& input, int& pos) const override;

private:
    // The text with the validator's locale digits replaced by Latin ones.
    QString toLatinDigits(const QString& text) const;
};
