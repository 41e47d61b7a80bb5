#include "messageattachmentwidget.h"

#include <QtTest>

class TestMessageAttachmentWidget : public QObject
{
    Q_OBJECT
private slots:
    void holdsReferencesOnce();
    void addAttachmentIsVirtual();
};

void TestMessageAttachmentWidget::holdsReferencesOnce()
{
    MessageAttachmentWidget widget;
    widget.setAttachments({QStringLiteral("file:///a.jpg")});
    widget.addAttachment(QStringLiteral("urn:b"));
    widget.addAttachment(QStringLiteral("file:///a.jpg"));
    QCOMPARE(widget.attachments(),
             (QStringList{QStringLiteral("file:///a.jpg"), QStringLiteral("urn:b")}));
    QVERIFY(widget.plainText().isEmpty());
}

namespace {
class Recording : public MessageAttachmentWidget
{
public:
    QStringList added;
    void addAttachment(const QString& reference) override { added << reference; }
};
} // namespace

void TestMessageAttachmentWidget::addAttachmentIsVirtual()
{
    // The host calls it as a slot, by name.
    Recording widget;
    QVERIFY(QMetaObject::invokeMethod(&widget, "addAttachment",
                                      Q_ARG(QString, QStringLiteral("urn:c"))));
    QCOMPARE(widget.added, QStringList{QStringLiteral("urn:c")});
    QVERIFY(widget.attachments().isEmpty());
}

QTEST_MAIN(TestMessageAttachmentWidget)
#include "tst_messageattachmentwidget.moc"
