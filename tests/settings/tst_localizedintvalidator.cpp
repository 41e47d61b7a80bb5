#include "localizedintvalidator.h"

#include <QtTest>

class TestLocalizedIntValidator : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void validate_data();
    void validate();
    void range();
};

void TestLocalizedIntValidator::validate_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("state");

    const int invalid = QValidator::Invalid;
    const int intermediate = QValidator::Intermediate;
    const int acceptable = QValidator::Acceptable;

    QTest::newRow("latin port") << "en_GB"
                                << "8080" << acceptable;
    QTest::newRow("zero") << "en_GB"
                          << "0" << acceptable;
    QTest::newRow("top") << "en_GB"
                         << "65535" << acceptable;
    QTest::newRow("above the top") << "en_GB"
                                   << "65536" << invalid;
    QTest::newRow("far above the top") << "en_GB"
                                       << "99999" << invalid;
    QTest::newRow("six digits") << "en_GB"
                                << "100000" << invalid;
    QTest::newRow("empty") << "en_GB"
                           << "" << intermediate;
    QTest::newRow("negative") << "en_GB"
                              << "-1" << invalid;
    QTest::newRow("letters") << "en_GB"
                             << "80a" << invalid;
    QTest::newRow("blank") << "en_GB"
                           << "80 80" << invalid;
    QTest::newRow("arabic-indic port") << "ar_EG" << QString::fromUtf8("٨٠٨٠") << acceptable;
    QTest::newRow("arabic-indic top") << "ar_EG" << QString::fromUtf8("٦٥٥٣٥") << acceptable;
    QTest::newRow("arabic-indic above the top") << "ar_EG" << QString::fromUtf8("٦٥٥٣٦") << invalid;
    QTest::newRow("latin digits in arabic locale") << "ar_EG"
                                                   << "8080" << acceptable;
    QTest::newRow("bengali port") << "bn_BD" << QString::fromUtf8("৮০৮০") << acceptable;
    QTest::newRow("other script's digits") << "bn_BD" << QString::fromUtf8("٨٠") << invalid;
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

void TestLocalizedIntValidator::range()
{
    LocalizedIntValidator validator;
    QCOMPARE(validator.bottom(), 0);
    QCOMPARE(validator.top(), 65535);
}

QTEST_GUILESS_MAIN(TestLocalizedIntValidator)
#include "tst_localizedintvalidator.moc"
