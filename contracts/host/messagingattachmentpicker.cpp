#include "messagingattachmentpicker.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QMimeDatabase>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

#include "tkstyle.h"

namespace {

constexpr int PathRole = Qt::UserRole + 1;

QStringList standardFolders()
{
    QStringList folders;
    for (auto location : {QStandardPaths::PicturesLocation, QStandardPaths::MusicLocation,
                          QStandardPaths::MoviesLocation, QStandardPaths::DocumentsLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        if (!folder.isEmpty() && !folders.contains(folder)) {
            folders << folder;
        }
    }
    return folders;
}

} // namespace

MessagingAttachmentPicker::MessagingAttachmentPicker(QWidget* parent)
    : QDialog(parent)
    , m_folders(standardFolders())
    , m_back(new QPushButton(tr("Back"), this))
    , m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("messagingAttachmentPicker"));
    tk::setStyleName(this, QStringLiteral("MessagingAttachmentPicker"));
    m_back->setObjectName(QStringLiteral("messagingAttachmentPickerBack"));
    m_list->setObjectName(QStringLiteral("messagingAttachmentPickerList"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_back, 0, Qt::AlignLeft);
    column->addWidget(m_list);
    connect(m_back, &QPushButton::clicked, this, &MessagingAttachmentPicker::backButtonClicked);
    connect(m_list, &QListWidget::itemActivated, this, &MessagingAttachmentPicker::onItemActivated);
}

void MessagingAttachmentPicker::setFolders(const QStringList& folders)
{
    m_folders = folders;
    refresh();
}

void MessagingAttachmentPicker::refresh()
{
    m_list->clear();
    for (const QString& folder : qAsConst(m_folders)) {
        addFolder(folder);
    }
}

void MessagingAttachmentPicker::addFolder(const QString& folder)
{
    QStringList paths;
    QDirIterator it(folder, QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        paths << it.next();
    }
    paths.sort();
    for (const QString& path : qAsConst(paths)) {
        auto* item = new QListWidgetItem(QFileInfo(path).fileName(), m_list);
        item->setData(PathRole, path);
        item->setToolTip(path);
    }
}

QStringList MessagingAttachmentPicker::files() const
{
    QStringList paths;
    for (int row = 0; row < m_list->count(); ++row) {
        paths << m_list->item(row)->data(PathRole).toString();
    }
    return paths;
}

bool MessagingAttachmentPicker::select(const QString& path)
{
    const int row = files().indexOf(QFileInfo(path).absoluteFilePath());
    if (row < 0) {
        return false;
    }
    m_list->setCurrentRow(row);
    onItemActivated(m_list->item(row));
    return true;
}

void MessagingAttachmentPicker::onItemActivated(QListWidgetItem* item)
{
    const QString path = item->data(PathRole).toString();
    // By the file name, and by the content when the name tells nothing.
    const QString mimeType = QMimeDatabase().mimeTypeForFile(path).name();
    emit attachmentSelected(QUrl::fromLocalFile(path).toString(), mimeType);
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
