#include "qsparqlconnection.h"

#include "freshdatafolder.h"

#include <QtTest>
#include <memory>

// The QtSparql-like layer over the Tracker store: drivers, selects, updates, failures.
class TstQSparqlConnection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(useFreshDataFolder()); }

    void unknownDriverIsInvalid()
    {
        QTest::ignoreMessage(QtWarningMsg, "No SPARQL driver named \"QSPARQL_ENDPOINT\"");
        QSparqlConnection connection(QStringLiteral("QSPARQL_ENDPOINT"));
        QVERIFY(!connection.isValid());
        std::unique_ptr<QSparqlResult> result(connection.syncExec(QSparqlQuery("SELECT 1 {}")));
        QVERIFY(result->hasError());
        QVERIFY(!result->next());
    }

    void updateThenSelect()
    {
        QSparqlConnectionOptions options;
        options.setDataReadyInterval(25);
        QSparqlConnection connection(QStringLiteral("QTRACKER_DIRECT"), options);
        QVERIFY(connection.isValid());
        QCOMPARE(connection.options().dataReadyInterval(), 25);

        std::unique_ptr<QSparqlResult> insert(connection.syncExec(QSparqlQuery(
            "INSERT DATA { <urn:test:c1> a nco:PersonContact ; nco:contactUID \"u1\" }",
            QSparqlQuery::InsertStatement)));
        QVERIFY2(!insert->hasError(), qPrintable(insert->lastError()));
        QVERIFY(!insert->next());

        std::unique_ptr<QSparqlResult> select(connection.syncExec(
            QSparqlQuery("SELECT ?u WHERE { <urn:test:c1> nco:contactUID ?u }")));
        QVERIFY(select->next());
        QCOMPARE(select->value(0).toString(), QStringLiteral("u1"));
        QVERIFY(!select->next());

        std::unique_ptr<QSparqlResult> remove(connection.syncExec(QSparqlQuery(
            "DELETE DATA { <urn:test:c1> a rdfs:Resource }", QSparqlQuery::DeleteStatement)));
        QVERIFY(!remove->hasError());
    }

    void unboundAndOutOfRangeColumnsAreInvalid()
    {
        QSparqlConnection connection(QStringLiteral("QTRACKER_DIRECT"));
        std::unique_ptr<QSparqlResult> result(
            connection.syncExec(QSparqlQuery("SELECT ?unbound \"text\" {}")));
        QVERIFY(!result->value(1).isValid()); // before the first row
        QVERIFY(result->next());
        QVERIFY(!result->value(0).isValid());
        QCOMPARE(result->value(1).toString(), QStringLiteral("text"));
        QVERIFY(!result->value(2).isValid());
        QVERIFY(!result->value(-1).isValid());
    }

    void syntaxErrorGivesErrorWithoutRows()
    {
        QSparqlConnection connection(QStringLiteral("QTRACKER_DIRECT"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Query failed:"));
        std::unique_ptr<QSparqlResult> result(connection.syncExec(QSparqlQuery("SELEKT nothing")));
        QVERIFY(result->hasError());
        QVERIFY(!result->next());
    }

    void connectionsShareTheStore()
    {
        QSparqlConnection writer(QStringLiteral("QTRACKER_DIRECT"));
        QSparqlConnection reader(QStringLiteral("QTRACKER_DIRECT"));
        delete writer.syncExec(QSparqlQuery("INSERT DATA { <urn:test:c2> a nco:PersonContact }",
                                            QSparqlQuery::InsertStatement));
        std::unique_ptr<QSparqlResult> result(
            reader.syncExec(QSparqlQuery("ASK { <urn:test:c2> a nco:PersonContact }")));
        QVERIFY(result->next());
        QCOMPARE(result->value(0).toString(), QStringLiteral("true"));
        delete writer.syncExec(QSparqlQuery("DELETE DATA { <urn:test:c2> a rdfs:Resource }",
                                            QSparqlQuery::DeleteStatement));
    }
};

QTEST_GUILESS_MAIN(TstQSparqlConnection)
#include "tst_qsparqlconnection.moc"
