#include "eventmodel.h"
#include "messaginguiplugininterface.h"
#include "singleeventmodel.h"

#include <QLabel>
#include <QLibrary>
#include <QPluginLoader>
#include <QtTest>

class TestPluginLoading : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
        QCOMPARE(m_loader.metaData().value(QStringLiteral("IID")).toString(),
                 QStringLiteral("com.quenda.MessagingUIPluginInterface/1.1"));
        m_plugin = qobject_cast<MessagingUIPluginInterface*>(m_loader.instance());
        QVERIFY(m_plugin);
        QCOMPARE(QPluginLoader(QStringLiteral(DRAVEL_PLUGIN_FILE)).instance(), m_loader.instance());
    }

    void verificationTextIsExact()
    {
        QLibrary library(QStringLiteral(DRAVEL_PLUGIN_FILE));
        using Verification = const char* (*)();
        auto verification =
            reinterpret_cast<Verification>(library.resolve("qt_plugin_query_verification_data"));
        QVERIFY(verification);
        QCOMPARE(QByteArray(verification()),
                 QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.7.4\ndebug=false\n"
                            "buildkey=armv6 linux g++-4 full-config"));
    }

    void servesMmsOnly_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("served");
        for (int type = -1; type <= 8; ++type)
            QTest::addRow("type %d", type) << type << (type == 6);
    }
    void servesMmsOnly()
    {
        QFETCH(int, type);
        QTEST(m_plugin->supportsMessageType(type), "served");
    }

    void viewerNeedsASingleEventModel()
    {
        Chronel::EventModel plain;
        QCOMPARE(m_plugin->createViewerPage(nullptr, &plain, Chronel::Event()),
                 static_cast<BasePage*>(nullptr));
        QCOMPARE(plain.children().size(), 0);
    }

    // The host finds the section and its title by these names; the title is
    // translated, so the plug-in installed its catalogue.
    void settingsContainerAndHeader()
    {
        QWidget parent;
        QWidget* container = m_plugin->createSettingsWidget(&parent);
        QCOMPARE(container ? container->objectName() : QString(),
                 QStringLiteral("multimediaMessageSettingsContainer"));
        auto* title = container->findChild<QLabel*>(QStringLiteral("mmsSettingsTitleLabel"));
        QCOMPARE(title ? title->text() : QString(), QStringLiteral("Multimedia message"));
    }

private:
    QPluginLoader m_loader{QStringLiteral(DRAVEL_PLUGIN_FILE)};
    MessagingUIPluginInterface* m_plugin = nullptr;
};

QTEST_MAIN(TestPluginLoading)
#include "tst_pluginloading.moc"
