#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;

// The host's attachment picker: browses the content index by kind (pictures,
// sounds, videos, contacts, calendar entries, other files) and reports the
// entry the user picks by its content-index URI, with its MIME type
// ("text/x-vcard" for a contact, "text/x-vcalendar" for a calendar entry).
// It does not close itself; its owner closes it on a choice or on back.
class MessagingAttachmentPicker : public QDialog
{
    Q_OBJECT
public:
    enum Category { Pictures, Sounds, Videos, Contacts, CalendarEntries, Files, CategoryCount };

    explicit MessagingAttachmentPicker(QWidget* parent = nullptr);

    // The content-index URIs listed for a kind, in list order.
    QStringList items(Category category) const;
    // What the list shows for a listed URI; empty when it is not listed.
    QString itemText(const QString& uri) const;
    // Picks the entry as if the user had tapped it; false when it is not listed.
    bool select(const QString& uri);

    void setCurrentCategory(Category category);
    Category currentCategory() const;
    QPushButton* backButton() const { return m_back; }

public slots:
    // Lists the index's content again.
    void refresh();

signals:
    void attachmentSelected(const QString& fileName, const QString& mimeType);
    void backButtonClicked();

protected:
    void showEvent(QShowEvent* event) override;
    // Escape is the back button: the owner decides whether to close.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill(Category category);
    QListWidgetItem* findItem(const QString& uri) const;
    void onItemActivated(QListWidgetItem* item);

    QPushButton* m_back;
    QTabWidget* m_tabs;
    QListWidget* m_lists[CategoryCount];
};
