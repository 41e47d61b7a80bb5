#include "messageattachmentwidget.h"

#include <QtTest>

namespace {

class Recording : public MessageAttachmentWidget
{
public:
    QStringList added;
    void addAttachment(const QString& reference) override { added << reference; }
};

} // namespace

class TestMessageAttachmentWidget : public QObject
{
    Q_OBJECT
private slots:
    void holdsReferencesOnce()
    {
        MessageAttachmentWidget widget;
        widget.setAttachments({"file:///a.jpg"});
        widget.addAttachment("urn:b");
        widget.addAttachment("file:///a.jpg");
        QCOMPARE(widget.attachments(), (QStringList{"file:///a.jpg", "urn:b"}));
    }

    // The host calls it as a slot, by name, and a plug-in's widget takes it.
    void addAttachmentIsVirtual()
    {
        Recording widget;
        QVERIFY(QMetaObject::invokeMethod(&widget, "addAttachment", Q_ARG(QString, "urn:c")));
        QCOMPARE(widget.added, QStringList{"urn:c"});
    }
};

QTEST_MAIN(TestMessageAttachmentWidget)
#include "tst_messageattachmentwidget.moc"
