#include "corvaneui.h"
#include "corvaneuiadaptor.h"

#include <QFile>
#include <QMetaClassInfo>
#include <QtTest>

namespace {

QString classInfo(const char* name)
{
    const QMetaObject& meta = CorvaneUiAdaptor::staticMetaObject;
    return QString::fromUtf8(meta.classInfo(meta.indexOfClassInfo(name)).value());
}

// The interface file's lines between <node> and </node>, newline-terminated.
QString interfaceFileBody()
{
    QFile file(QStringLiteral(DRAVEL_SOURCE_DIR "/service/com.quenda.corvane.ui.xml"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    const QString text = QString::fromUtf8(file.readAll());
    const QString open = QStringLiteral("<node>\n");
    const int begin = text.indexOf(open) + open.size();
    return text.mid(begin, text.indexOf(QStringLiteral("</node>")) - begin);
}

// Stands in for CorvaneUi: records what the adaptor forwards.
class Recorder : public QObject
{
    Q_OBJECT
public:
    QStringList calls;

signals:
    void disconnectGprs(bool disconnect);

public slots:
    void cancelGprsDisconnectDialog() { calls << QStringLiteral("cancel"); }
    void displayGprsDisconnectDialog() { calls << QStringLiteral("display"); }
};

} // namespace

class TestCorvaneUiAdaptor : public QObject
{
    Q_OBJECT
private slots:
    void introspectionEqualsInterfaceFile();
    void slotsForwardToParent_data();
    void slotsForwardToParent();
    void relaysParentSignal_data();
    void relaysParentSignal();
    void serviceObjectOwnsOneAdaptor();
};

void TestCorvaneUiAdaptor::introspectionEqualsInterfaceFile()
{
    const QString fromFile = interfaceFileBody();
    QVERIFY(fromFile.contains(QStringLiteral("<interface")));
    QCOMPARE(classInfo("D-Bus Introspection"), fromFile);
}

void TestCorvaneUiAdaptor::slotsForwardToParent_data()
{
    QTest::addColumn<QByteArray>("slot");
    QTest::addColumn<QString>("recorded");
    QTest::newRow("display") << QByteArray("displayGprsDisconnectDialog") << "display";
    QTest::newRow("cancel") << QByteArray("cancelGprsDisconnectDialog") << "cancel";
}

void TestCorvaneUiAdaptor::slotsForwardToParent()
{
    QFETCH(QByteArray, slot);
    QFETCH(QString, recorded);
    Recorder parent;
    auto* adaptor = new CorvaneUiAdaptor(&parent);
    QVERIFY(QMetaObject::invokeMethod(adaptor, slot.constData()));
    QCOMPARE(parent.calls, QStringList{recorded});
}

void TestCorvaneUiAdaptor::relaysParentSignal_data()
{
    QTest::addColumn<bool>("disconnect");
    QTest::newRow("true") << true;
    QTest::newRow("false") << false;
}

void TestCorvaneUiAdaptor::relaysParentSignal()
{
    QFETCH(bool, disconnect);
    Recorder parent;
    auto* adaptor = new CorvaneUiAdaptor(&parent);
    QSignalSpy relayed(adaptor, &CorvaneUiAdaptor::disconnectGprs);
    emit parent.disconnectGprs(disconnect);
    QCOMPARE(relayed.count(), 1);
    QCOMPARE(relayed.at(0).at(0).toBool(), disconnect);
}

void TestCorvaneUiAdaptor::serviceObjectOwnsOneAdaptor()
{
    CorvaneUi service;
    QCOMPARE(service.findChildren<CorvaneUiAdaptor*>().size(), 1);
}

QTEST_GUILESS_MAIN(TestCorvaneUiAdaptor)
#include "tst_corvaneuiadaptor.moc"
