#include "tklocale.h"

#include <QDirIterator>
#include <QDomDocument>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QStringList kCodeFolders =
    QString("plugin editor sender resize viewer widgets settings utils service contracts platform "
            "host")
        .split(' ');

QSet<QString> catalogueIds()
{
    QFile file(QStringLiteral(DRAVEL_SOURCE_DIR "/translations/mms.ts"));
    QDomDocument ts;
    QSet<QString> ids;
    if (!file.open(QIODevice::ReadOnly) || !ts.setContent(&file))
        return ids;
    const QDomNodeList messages = ts.elementsByTagName(QStringLiteral("message"));
    for (int i = 0; i < messages.size(); ++i)
        ids.insert(messages.at(i).toElement().attribute(QStringLiteral("id")));
    return ids;
}

// Every id the code hands to qtTrId, with the file that uses it.
QMultiMap<QString, QString> usedIds()
{
    static const QRegularExpression call(QStringLiteral(R"(qtTrId\(\s*"([^"]+)\")"));
    QMultiMap<QString, QString> used;
    for (const QString& folder : kCodeFolders) {
        QDirIterator it(DRAVEL_SOURCE_DIR "/" + folder, {"*.cpp", "*.h"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile source(it.next());
            source.open(QIODevice::ReadOnly);
            const QString text = QString::fromUtf8(source.readAll());
            for (auto match = call.globalMatch(text); match.hasNext();)
                used.insert(match.next().captured(1), it.filePath());
        }
    }
    return used;
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        TkLocale locale;
        locale.installTrCatalog(QStringLiteral("mms"));
        QVERIFY(TkLocale::setDefault(locale));
        QVERIFY(TkLocale::setDefault(locale)); // again: neither fails nor duplicates
    }

    void everyUsedIdIsInTheCatalogue()
    {
        const QSet<QString> known = catalogueIds();
        QVERIFY(!known.isEmpty());
        const QMultiMap<QString, QString> used = usedIds();
        QStringList missing;
        for (auto it = used.cbegin(); it != used.cend(); ++it) {
            if (!known.contains(it.key()))
                missing << it.key() + " (" + it.value() + ')';
        }
        QCOMPARE(missing, QStringList());
    }

    void everyCatalogueIdResolves()
    {
        QStringList unresolved;
        for (const QString& id : catalogueIds()) {
            if (qtTrId(id.toUtf8().constData()) == id)
                unresolved << id;
        }
        QCOMPARE(unresolved, QStringList());
    }

    void missingCatalogueIsReported()
    {
        TkLocale missing;
        missing.installTrCatalog(QStringLiteral("no-such-catalogue"));
        QTest::ignoreMessage(QtWarningMsg,
                             "translation catalogue not found: \"no-such-catalogue\"");
        QVERIFY(!TkLocale::setDefault(missing));
    }
};

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
