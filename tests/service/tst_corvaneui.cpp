#include "corvaneui.h"
#include "tklocale.h"
#include "tkquerydialog.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

namespace {

QList<TkQueryDialog*> shownDialogs()
{
    QList<TkQueryDialog*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<TkQueryDialog*>(widget);
        if (dialog && dialog->isVisible()) {
            shown << dialog;
        }
    }
    return shown;
}

enum class Ending { Yes, No, Closed };

void end(TkQueryDialog* dialog, Ending ending)
{
    switch (ending) {
    case Ending::Yes:
        dialog->yesButton()->click();
        break;
    case Ending::No:
        dialog->noButton()->click();
        break;
    case Ending::Closed:
        dialog->close();
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Ending)

class TestCorvaneUi : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void answerIsReported_data();
    void answerIsReported();
    void dialogIsDestroyedWhenDone();
    void displayAfterAnswerAsksAgain();
};

void TestCorvaneUi::initTestCase()
{
    TkLocale locale;
    locale.installTrCatalog(QStringLiteral("mms"));
    QVERIFY(TkLocale::setDefault(locale));
}

void TestCorvaneUi::cleanup()
{
    qDeleteAll(shownDialogs());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestCorvaneUi::answerIsReported_data()
{
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("disconnect");
    QTest::newRow("yes") << Ending::Yes << 1024 << true;
    QTest::newRow("no") << Ending::No << 0 << false;
    QTest::newRow("closed otherwise") << Ending::Closed << 0 << false;
}

void TestCorvaneUi::answerIsReported()
{
    QFETCH(Ending, ending);
    QFETCH(int, result);
    QFETCH(bool, disconnect);
    CorvaneUi service;
    QSignalSpy answered(&service, &CorvaneUi::disconnectGprs);
    service.displayGprsDisconnectDialog();
    QTest::ignoreMessage(
        QtDebugMsg,
        qPrintable(QStringLiteral("I: [CORVANE-UI] Dialog is closed, result = %1").arg(result)));
    end(shownDialogs().value(0), ending);
    QCOMPARE(answered.count(), 1);
    QCOMPARE(answered.at(0).at(0).toBool(), disconnect);
}

void TestCorvaneUi::dialogIsDestroyedWhenDone()
{
    CorvaneUi service;
    service.displayGprsDisconnectDialog();
    QPointer<TkQueryDialog> dialog = shownDialogs().value(0);
    QSignalSpy destroyed(dialog.data(), &QObject::destroyed);
    QTest::ignoreMessage(QtDebugMsg, "I: [CORVANE-UI] Dialog is closed, result = 0");
    dialog->noButton()->click();
    QVERIFY(destroyed.wait());
}

void TestCorvaneUi::displayAfterAnswerAsksAgain()
{
    CorvaneUi service;
    QSignalSpy answered(&service, &CorvaneUi::disconnectGprs);
    service.displayGprsDisconnectDialog();
    QPointer<TkQueryDialog> first = shownDialogs().value(0);
    QTest::ignoreMessage(QtDebugMsg, "I: [CORVANE-UI] Dialog is closed, result = 1024");
    first->yesButton()->click();
    service.displayGprsDisconnectDialog();
    const QList<TkQueryDialog*> shown = shownDialogs();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first() != first);
    QTest::ignoreMessage(QtDebugMsg, "I: [CORVANE-UI] Dialog is closed, result = 0");
    shown.first()->noButton()->click();
    QCOMPARE(answered.count(), 2);
    QCOMPARE(answered.at(1).at(0).toBool(), false);
}

QTEST_MAIN(TestCorvaneUi)
#include "tst_corvaneui.moc"
