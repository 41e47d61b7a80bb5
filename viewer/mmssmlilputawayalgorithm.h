#pragma once

#include "messagepart.h"
#include "smildocument.h"
#include "smilparser.h"
#include "viewer_debug.h"

#include <QFile>
#include <QList>
#include <QMultiMap>
#include <QString>

// Lays the parts of a multimedia message out as slides, following its SMIL presentation.
// Each slide is one part, optionally with the text the presentation pairs with it.
//
// The viewer and the editor page inherit it as a second, data-less base and supply:
//   QList<Chronel::MessagePart> attachments();
//   void addSlide(const Chronel::MessagePart* part, const QString& text);
//   static constexpr bool limitsInlineText;
// limitsInlineText is true for the viewer, which shows a text of inlineTextLimit characters
// or more as a file slide of its own instead of beside its attachment; the editor sets false
// and always keeps the text with its attachment.
template <typename Page> class MMSSmlilPutAwayAlgorithm
{
public:
    // Content id -> index in the attachment list. Iterates in ascending content id, the most
    // recently inserted first among equal ids; removing an id removes all its entries.
    using RemainingParts = QMultiMap<QString, int>;

    static constexpr int inlineTextLimit = 10240;

    void addAttachmentsWithSmil();

    static bool getAttachmentByContentId(const QList<Chronel::MessagePart>& parts,
                                         const QString& reference, Chronel::MessagePart& result);

    // Places the node's nested nodes, then one slide per resolvable media reference, the
    // node's text going with the first of them.
    void addNodeSlides(Page* page, const SmilNode& node, RemainingParts& remaining);

private:
    static QString presentationText(const QList<Chronel::MessagePart>& parts);
    static bool parsePresentation(const QString& smil, SmilDocument& document);
    static RemainingParts remainingParts(const QList<Chronel::MessagePart>& parts);
    static void addAttachmentsNoSmil(Page* page, const QList<Chronel::MessagePart>& parts);
    static QString normalisedReference(QString reference);
    static bool resolve(Page* page, const SmilRef& ref, Chronel::MessagePart& result);
    static int textReferenceIndex(const SmilNode& node);
    static QString slideText(const Chronel::MessagePart& textPart);
    static void addAlone(Page* page, const Chronel::MessagePart& part, RemainingParts& remaining);
    static void addWithText(Page* page, const Chronel::MessagePart& attachment,
                            const Chronel::MessagePart& textPart, RemainingParts& remaining);
};

template <typename Page> void MMSSmlilPutAwayAlgorithm<Page>::addAttachmentsWithSmil()
{
    qCDebug(lcSmil).noquote() << "D: [MMS_SMIL] addAttachmentsWithSmil";
    Page* page = static_cast<Page*>(this);
    const QList<Chronel::MessagePart> parts = page->attachments();
    const QString smil = presentationText(parts);
    SmilDocument document;
    if (smil.isEmpty() || !parsePresentation(smil, document)) {
        addAttachmentsNoSmil(page, parts);
        return;
    }
    RemainingParts remaining = remainingParts(parts);
    for (const SmilNode& node : document.body.nodes)
        addNodeSlides(page, node, remaining);
    // Parts the presentation never names, or names wrongly, still get shown.
    for (auto it = remaining.cbegin(); it != remaining.cend(); ++it)
        page->addSlide(&parts.at(it.value()), QString());
}

template <typename Page>
bool MMSSmlilPutAwayAlgorithm<Page>::getAttachmentByContentId(
    const QList<Chronel::MessagePart>& parts, const QString& reference,
    Chronel::MessagePart& result)
{
    const QString wanted = normalisedReference(reference);
    for (const Chronel::MessagePart& part : parts) {
        const QStringList ids = part.contentId().split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString& id : ids) {
            if (normalisedReference(id) == wanted) {
                result = part;
                return true;
            }
        }
    }
    return false;
}

template <typename Page>
void MMSSmlilPutAwayAlgorithm<Page>::addNodeSlides(Page* page, const SmilNode& node,
                                                   RemainingParts& remaining)
{
    for (const SmilNode& child : node.nodes)
        addNodeSlides(page, child, remaining);
    if (node.refs.isEmpty())
        return;
    const int textIndex = textReferenceIndex(node);
    bool textUsed = false;
    for (int i = 0; i < node.refs.size(); ++i) {
        Chronel::MessagePart attachment;
        if (i == textIndex || !resolve(page, node.refs.at(i), attachment))
            continue;
        if (textIndex < 0)
            qCDebug(lcSmil).noquote() << "[MMS_SMIL] there is no text with attachment";
        Chronel::MessagePart textPart;
        if (textIndex < 0 || textUsed || !resolve(page, node.refs.at(textIndex), textPart)) {
            addAlone(page, attachment, remaining);
            continue;
        }
        addWithText(page, attachment, textPart, remaining);
        textUsed = true;
    }
    if (textIndex < 0 || textUsed)
        return;
    Chronel::MessagePart textPart;
    if (resolve(page, node.refs.at(textIndex), textPart))
        addAlone(page, textPart, remaining);
}

template <typename Page>
QString MMSSmlilPutAwayAlgorithm<Page>::presentationText(const QList<Chronel::MessagePart>& parts)
{
    for (const Chronel::MessagePart& part : parts) {
        if (part.contentType().startsWith(QLatin1String("application/smil")))
            return part.plainTextContent();
    }
    return QString();
}

template <typename Page>
bool MMSSmlilPutAwayAlgorithm<Page>::parsePresentation(const QString& smil, SmilDocument& document)
{
    SmilParser parser(smil.toLocal8Bit());
    QString error;
    int line = 0;
    int column = 0;
    document = parser.parse(&error, &line, &column);
    if (error.isEmpty())
        return true;
    qCWarning(lcSmil) << "[MMS_SMIL] failed to parse smil:" << error;
    return false;
}

template <typename Page>
typename MMSSmlilPutAwayAlgorithm<Page>::RemainingParts
MMSSmlilPutAwayAlgorithm<Page>::remainingParts(const QList<Chronel::MessagePart>& parts)
{
    RemainingParts remaining;
    for (int i = 0; i < parts.size(); ++i) {
        if (!parts.at(i).contentType().startsWith(QLatin1String("application/smil")))
            remaining.insert(parts.at(i).contentId(), i);
    }
    return remaining;
}

template <typename Page>
void MMSSmlilPutAwayAlgorithm<Page>::addAttachmentsNoSmil(Page* page,
                                                          const QList<Chronel::MessagePart>& parts)
{
    qCDebug(lcSmil).nospace() << "D: [MMS_SMIL] addAttachmentsNoSmil attachments.size() = "
                              << parts.size();
    for (const Chronel::MessagePart& part : parts)
        page->addSlide(&part, QString());
}

// Senders write the same id as "cid:photo.jpg", "<photo.jpg>" or with a DRM ".dm" suffix.
template <typename Page>
QString MMSSmlilPutAwayAlgorithm<Page>::normalisedReference(QString reference)
{
    if (reference.endsWith(QLatin1String(".dm")))
        reference.chop(3);
    if (reference.startsWith(QLatin1String("cid:")))
        reference.remove(0, 4);
    reference.remove(QLatin1Char('>'));
    reference.remove(QLatin1Char('<'));
    return reference;
}

template <typename Page>
bool MMSSmlilPutAwayAlgorithm<Page>::resolve(Page* page, const SmilRef& ref,
                                             Chronel::MessagePart& result)
{
    if (getAttachmentByContentId(page->attachments(), ref.source, result))
        return true;
    qCWarning(lcSmil) << "[MMS_SMIL] failed to find" << ref.source << "in attachments";
    return false;
}

template <typename Page>
int MMSSmlilPutAwayAlgorithm<Page>::textReferenceIndex(const SmilNode& node)
{
    for (int i = 0; i < node.refs.size(); ++i) {
        if (node.refs.at(i).kind == SmilRef::Text)
            return i;
    }
    return -1;
}

// Text parts normally carry their text in the history store; older ones only as a file.
template <typename Page>
QString MMSSmlilPutAwayAlgorithm<Page>::slideText(const Chronel::MessagePart& textPart)
{
    const QString text = textPart.plainTextContent();
    if (!text.isEmpty() || textPart.contentLocation().isEmpty())
        return text;
    qCDebug(lcSmil) << "D: [MMS_SMIL] Attach text is empty, try to read it from file"
                    << textPart.contentLocation();
    QFile file(textPart.contentLocation());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCWarning(lcSmil) << "[MMS-EDITOR] Failed to read text from file" << file.fileName() << "!";
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

template <typename Page>
void MMSSmlilPutAwayAlgorithm<Page>::addAlone(Page* page, const Chronel::MessagePart& part,
                                              RemainingParts& remaining)
{
    page->addSlide(&part, QString());
    remaining.remove(part.contentId());
}

template <typename Page>
void MMSSmlilPutAwayAlgorithm<Page>::addWithText(Page* page, const Chronel::MessagePart& attachment,
                                                 const Chronel::MessagePart& textPart,
                                                 RemainingParts& remaining)
{
    const QString text = slideText(textPart);
    if (Page::limitsInlineText && text.size() >= inlineTextLimit) {
        page->addSlide(&textPart, QString());
        page->addSlide(&attachment, QString());
    } else {
        page->addSlide(&attachment, text);
    }
    remaining.remove(attachment.contentId());
    remaining.remove(textPart.contentId());
}
