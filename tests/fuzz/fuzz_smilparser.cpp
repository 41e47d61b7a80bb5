// Feeds arbitrary bytes to the SMIL reader, checks that whatever it accepts is written and read
// back unchanged, then lays a small fixed message out as slides with the bytes as presentation.
#include "mmssmlilputawayalgorithm.h"
#include "smiltreedump.h"

#include <QLoggingCategory>

#include <cstdint>
#include <cstdlib>

namespace {

using Part = Chronel::MessagePart;

class FuzzPage : public MMSSmlilPutAwayAlgorithm<FuzzPage>
{
public:
    static constexpr bool limitsInlineText = true;

    explicit FuzzPage(const QString& smil)
        : m_parts{Part("<0.smil>", "application/smil", "0.smil", smil),
                  Part("<image1.jpg>", "image/jpeg", "image1.jpg"),
                  Part("<text_001.txt>", "text/plain", "text_001.txt", "Hello"),
                  Part("<text_002.txt>", "text/plain", "/nonexistent/text_002.txt"),
                  Part("a;<b>", "audio/amr", "b.amr"),
                  Part("<d>", "video/3gpp", "first.3gp"),
                  Part("<d>", "video/3gpp", "second.3gp"),
                  Part("<long>", "text/plain", "long.txt", QString(10240, QLatin1Char('x')))}
    {
    }

    QList<Chronel::MessagePart> attachments() { return m_parts; }

    void addSlide(const Chronel::MessagePart* part, const QString& text)
    {
        if (!part)
            abort();
        m_characters += text.size();
    }

private:
    QList<Chronel::MessagePart> m_parts;
    qint64 m_characters = 0;
};

void checkReadsBack(const SmilDocument& document)
{
    SmilParser reader(SmilParser(document).getContent());
    QString error;
    const SmilDocument readBack = reader.parse(&error, nullptr, nullptr);
    if (!error.isEmpty() || SmilTreeDump::describe(readBack) != SmilTreeDump::describe(document))
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("dravel.*=false"));
        return true;
    }();
    Q_UNUSED(quiet)

    const QByteArray content(reinterpret_cast<const char*>(data), int(size));
    SmilParser parser(content);
    QString error;
    int line = 0;
    int column = 0;
    const SmilDocument document = parser.parse(&error, &line, &column);
    if (error.isEmpty())
        checkReadsBack(document);
    else if (!SmilTreeDump::describe(document).isEmpty())
        abort();

    FuzzPage page(QString::fromLocal8Bit(content));
    page.addAttachmentsWithSmil();
    return 0;
}
