#include <QtTest>
class Tstcustomselectablelabel : public QObject
{
    Q_OBJECT
};
QTEST_MAIN(Tstcustomselectablelabel)
#include "tst_customselectablelabel.moc"
