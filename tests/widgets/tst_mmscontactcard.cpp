#include <QtTest>
class Tstmmscontactcard : public QObject
{
    Q_OBJECT
};
QTEST_MAIN(Tstmmscontactcard)
#include "tst_mmscontactcard.moc"
