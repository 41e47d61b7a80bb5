#include "localizedintvalidator.h"

LocalizedIntValidator::LocalizedIntValidator(QObject* parent)
    : QIntValidator(0, 65535, parent)
{
}

QString LocalizedIntValidator::toLatinDigits(const QString& text) const
{
    const ushort zero = locale().zeroDigit().unicode();
    QString latin = text;
    for (QChar& c : latin) {
        if (c.unicode() >= zero && c.unicode() <= zero + 9)
            c = QChar('0' + (c.unicode() - zero));
    }
    return latin;
}

QValidator::State LocalizedIntValidator::validate(QString& input, int& pos) const
{
    QString latin = toLatinDigits(input);
    const State state = QIntValidator::validate(latin, pos);
    // A plain integer validator lets a number above the top be typed as long as
    // it has no more digits than the top; a port above 65535 is never right.
    bool isNumber = false;
    const int value = locale().toInt(latin, &isNumber);
    return state == Intermediate && isNumber && value > top() ? Invalid : state;
}
