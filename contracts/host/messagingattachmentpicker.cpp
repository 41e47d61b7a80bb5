#include "messagingattachmentpicker.h"

#include "qsparqlconnection.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <memory>

#include "tkstyle.h"

namespace {

constexpr int UriRole = Qt::UserRole + 1;
constexpr int MimeTypeRole = Qt::UserRole + 2;

// Each kind is one select: URI, text to show, and the MIME type when the
// entry is a file. Files are shown by name, so the URL is the text column.
struct Kind
{
    const char* title;
    const char* objectName;
    const char* query;
    const char* mimeType; // for entries that are no files
};

const Kind kKinds[MessagingAttachmentPicker::CategoryCount] = {
    {QT_TRANSLATE_NOOP("MessagingAttachmentPicker", "Pictures"), "Pictures",
     "SELECT ?o nie:url(?o) nie:mimeType(?o) WHERE { ?o a nfo:FileDataObject , nfo:Image } "
     "ORDER BY nie:url(?o)",
     nullptr},
    {QT_TRANSLATE_NOOP("MessagingAttachmentPicker", "Sounds"), "Sounds",
     "SELECT ?o nie:url(?o) nie:mimeType(?o) WHERE { ?o a nfo:FileDataObject , nfo:Audio } "
     "ORDER BY nie:url(?o)",
     nullptr},
    {QT_TRANSLATE_NOOP("MessagingAttachmentPicker", "Videos"), "Videos",
     "SELECT ?o nie:url(?o) nie:mimeType(?o) WHERE { ?o a nfo:FileDataObject , nfo:Video } "
     "ORDER BY nie:url(?o)",
     nullptr},
    {QT_TRANSLATE_NOOP("MessagingAttachmentPicker", "Contacts"), "Contacts",
     "SELECT ?o nco:fullname(?o) WHERE { ?o a nco:PersonContact } ORDER BY nco:fullname(?o)",
     "text/x-vcard"},
    {QT_TRANSLATE_NOOP("MessagingAttachmentPicker", "Calendar"), "Calendar",
     "SELECT ?o ncal:summary(?o) WHERE { ?o a ncal:UnionParentClass } "
     "ORDER BY ncal:summary(?o)",
     "text/x-vcalendar"},
    {QT_TRANSLATE_NOOP("MessagingAttachmentPicker", "Files"), "Files",
     "SELECT ?o nie:url(?o) nie:mimeType(?o) WHERE { ?o a nfo:FileDataObject , nfo:Document } "
     "ORDER BY nie:url(?o)",
     nullptr},
};

QString shownText(const Kind& kind, const QString& column)
{
    if (kind.mimeType) {
        return column.isEmpty() ? MessagingAttachmentPicker::tr("(no name)") : column;
    }
    return QUrl::fromEncoded(column.toUtf8()).fileName();
}

} // namespace

MessagingAttachmentPicker::MessagingAttachmentPicker(QWidget* parent)
    : QDialog(parent)
    , m_back(new QPushButton(tr("Back"), this))
    , m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("messagingAttachmentPicker"));
    tk::setStyleName(this, QStringLiteral("MessagingAttachmentPicker"));
    m_back->setObjectName(QStringLiteral("messagingAttachmentPickerBack"));
    m_tabs->setObjectName(QStringLiteral("messagingAttachmentPickerKinds"));
    for (int category = 0; category < CategoryCount; ++category) {
        m_lists[category] = new QListWidget(m_tabs);
        m_lists[category]->setObjectName(QStringLiteral("messagingAttachmentPicker") +
                                         QLatin1String(kKinds[category].objectName));
        m_tabs->addTab(m_lists[category], tr(kKinds[category].title));
        connect(m_lists[category], &QListWidget::itemActivated, this,
                &MessagingAttachmentPicker::onItemActivated);
    }
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_back, 0, Qt::AlignLeft);
    column->addWidget(m_tabs);
    connect(m_back, &QPushButton::clicked, this, &MessagingAttachmentPicker::backButtonClicked);
}

void MessagingAttachmentPicker::refresh()
{
    for (int category = 0; category < CategoryCount; ++category) {
        fill(Category(category));
    }
}

void MessagingAttachmentPicker::fill(Category category)
{
    const Kind& kind = kKinds[category];
    QListWidget* list = m_lists[category];
    list->clear();
    QSparqlConnection index(QStringLiteral("QTRACKER_DIRECT"));
    const std::unique_ptr<QSparqlResult> rows(
        index.syncExec(QSparqlQuery(QString::fromLatin1(kind.query))));
    while (rows->next()) {
        const QString column = rows->value(1).toString();
        auto* item = new QListWidgetItem(shownText(kind, column), list);
        item->setData(UriRole, rows->value(0).toString());
        item->setData(MimeTypeRole, kind.mimeType ? QString::fromLatin1(kind.mimeType)
                                                  : rows->value(2).toString());
    }
}

QStringList MessagingAttachmentPicker::items(Category category) const
{
    QStringList uris;
    for (int row = 0; row < m_lists[category]->count(); ++row) {
        uris << m_lists[category]->item(row)->data(UriRole).toString();
    }
    return uris;
}

QListWidgetItem* MessagingAttachmentPicker::findItem(const QString& uri) const
{
    for (QListWidget* list : m_lists) {
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->data(UriRole).toString() == uri) {
                return list->item(row);
            }
        }
    }
    return nullptr;
}

QString MessagingAttachmentPicker::itemText(const QString& uri) const
{
    const QListWidgetItem* item = findItem(uri);
    return item ? item->text() : QString();
}

bool MessagingAttachmentPicker::select(const QString& uri)
{
    QListWidgetItem* item = findItem(uri);
    if (!item) {
        return false;
    }
    item->listWidget()->setCurrentItem(item);
    onItemActivated(item);
    return true;
}

void MessagingAttachmentPicker::setCurrentCategory(Category category)
{
    m_tabs->setCurrentIndex(category);
}

MessagingAttachmentPicker::Category MessagingAttachmentPicker::currentCategory() const
{
    return Category(m_tabs->currentIndex());
}

void MessagingAttachmentPicker::onItemActivated(QListWidgetItem* item)
{
    emit attachmentSelected(item->data(UriRole).toString(), item->data(MimeTypeRole).toString());
}

void MessagingAttachmentPicker::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit backButtonClicked();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MessagingAttachmentPicker::showEvent(QShowEvent* event)
{
    refresh();
    QDialog::showEvent(event);
}
