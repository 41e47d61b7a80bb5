#include <QtTest>
class Tstclickablebubble : public QObject
{
    Q_OBJECT
};
QTEST_MAIN(Tstclickablebubble)
#include "tst_clickablebubble.moc"
