#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QListWidgetItem;
class QPushButton;

// The host's attachment picker: lists the files of the user's Pictures,
// Music, Videos and Documents folders (and their subfolders) and reports the
// one the user picks as a file URL with its MIME type. It does not close
// itself; its owner closes it on a choice or on back.
class MessagingAttachmentPicker : public QDialog
{
    Q_OBJECT
public:
    explicit MessagingAttachmentPicker(QWidget* parent = nullptr);

    // The folders listed; the standard media folders unless set.
    void setFolders(const QStringList& folders);
    QStringList folders() const { return m_folders; }

    // The listed files, absolute paths, in list order.
    QStringList files() const;
    // Picks the file as if the user had tapped it; false when it is not listed.
    bool select(const QString& path);

    QPushButton* backButton() const { return m_back; }

public slots:
    // Lists the folders' files again.
    void refresh();

signals:
    // `fileName` is a "file://" URL.
    void attachmentSelected(const QString& fileName, const QString& mimeType);
    void backButtonClicked();

protected:
    void showEvent(QShowEvent* event) override;
    // Escape is the back button: the owner decides whether to close.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addFolder(const QString& folder);
    void onItemActivated(QListWidgetItem* item);

    QStringList m_folders;
    QPushButton* m_back;
    QListWidget* m_list;
};
