#include "messagingtextedit.h"
#include "subjectvalidator.h"

#include <QtTest>

// The subject field as the editor sets it up: 40 characters, this validator.
class TestSubjectValidator : public QObject
{
    Q_OBJECT
private slots:
    void limit_data();
    void limit();
    void returnMovesOn_data();
    void returnMovesOn();
};

void TestSubjectValidator::limit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    const QString forty(40, QLatin1Char('a'));
    QTest::newRow("40 characters") << forty << forty;
    QTest::newRow("41st refused") << forty + "b" << forty;
    // Ten smileys and spaces show as 20 characters but are 40 when sent.
    const QString smileys = QStringLiteral(":-) ").repeated(10);
    QTest::newRow("smileys count in text form") << smileys + "z" << smileys;
}

void TestSubjectValidator::limit()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    MessagingTextEdit subject;
    subject.setMaxLength(40);
    SubjectValidator validator(&subject);
    subject.setValidator(&validator);
    QTest::keyClicks(&subject, typed);
    subject.completeEmoticonReplacement();
    QCOMPARE(subject.plainText(), kept);
}

void TestSubjectValidator::returnMovesOn_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("movesOn");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false;
}

void TestSubjectValidator::returnMovesOn()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, movesOn);
    MessagingTextEdit subject;
    SubjectValidator validator(&subject);
    subject.installEventFilter(&validator);
    QSignalSpy next(&validator, &SubjectValidator::actioneKeyPressed);
    QTest::keyClicks(&subject, QStringLiteral("Hi"));
    QTest::keyClick(&subject, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(next.count(), movesOn ? 1 : 0);
    QCOMPARE(subject.plainText().contains(QLatin1Char('\n')), !movesOn);
}

QTEST_MAIN(TestSubjectValidator)
#include "tst_subjectvalidator.moc"
