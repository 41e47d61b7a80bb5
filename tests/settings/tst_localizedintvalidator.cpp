#include "localizedintvalidator.h"

#include <QtTest>

class TestLocalizedIntValidator : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void validate_data();
    void validate();
};

void TestLocalizedIntValidator::validate_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("state");

    const auto row = [](const char* name, const char* locale, const char* input,
                        QValidator::State state) {
        QTest::newRow(name) << QString(locale) << QString::fromUtf8(input) << int(state);
    };
    row("latin port", "en_GB", "8080", QValidator::Acceptable);
    row("zero", "en_GB", "0", QValidator::Acceptable);
    row("top", "en_GB", "65535", QValidator::Acceptable);
    row("above the top", "en_GB", "65536", QValidator::Invalid);
    row("six digits", "en_GB", "100000", QValidator::Invalid);
    row("empty", "en_GB", "", QValidator::Intermediate);
    row("negative", "en_GB", "-1", QValidator::Invalid);
    row("letters", "en_GB", "80a", QValidator::Invalid);
    row("blank", "en_GB", "80 80", QValidator::Invalid);
    row("arabic-indic top", "ar_EG", "٦٥٥٣٥", QValidator::Acceptable);
    row("arabic-indic above the top", "ar_EG", "٦٥٥٣٦", QValidator::Invalid);
    row("latin digits in arabic locale", "ar_EG", "8080", QValidator::Acceptable);
    row("bengali port", "bn_BD", "৮০৮০", QValidator::Acceptable);
    row("other script's digits", "bn_BD", "٨٠", QValidator::Invalid);
}

void TestLocalizedIntValidator::validate()
{
    QFETCH(QString, locale);
    QFETCH(QString, input);
    QFETCH(int, state);

    QLocale::setDefault(QLocale(locale));
    LocalizedIntValidator validator;
    QString text = input;
    int pos = text.size();
    QCOMPARE(int(validator.validate(text, pos)), state);
    QCOMPARE(text, input);
}

QTEST_GUILESS_MAIN(TestLocalizedIntValidator)
#include "tst_localizedintvalidator.moc"
