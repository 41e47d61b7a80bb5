#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks where to save a copy of a file: the user edits the file name, and
// Save copies the source into the destination folder and ends the dialog with
// 1024. Cancel, or a copy that fails, ends it with 0 and writes nothing.
// In folder mode the name is that of a folder for several files: Save makes
// it in the destination folder (or finds it there) and copies nothing; the
// caller fills it.
class TkSaveAsDialog : public QDialog
{
    Q_OBJECT
public:
    enum Result { Saved = 1024, NotSaved = 0 };

    explicit TkSaveAsDialog(QWidget* parent = nullptr);

    void setMimeType(const QString& mimeType) { m_mimeType = mimeType; }
    QString mimeType() const { return m_mimeType; }
    void setPreview(const QPixmap& preview);
    void setDefaultFileName(const QString& baseName);
    void setSourcePath(const QString& path) { m_sourcePath = path; }
    QString sourcePath() const { return m_sourcePath; }
    void setDestinationFolder(const QString& folder) { m_destinationFolder = folder; }
    QString destinationFolder() const { return m_destinationFolder; }
    void setDefaultExtension(const QString& suffix) { m_extension = suffix; }
    QString defaultExtension() const { return m_extension; }
    void setContentSize(qint64 bytes);
    void setFolderMode(bool folderMode) { m_folderMode = folderMode; }
    bool isFolderMode() const { return m_folderMode; }
    qint64 contentSize() const { return m_contentSize; }

    // The name the copy gets in the destination folder: the edited name with
    // the default extension.
    QString resultFileName() const;

    QLineEdit* fileNameEdit() const { return m_fileName; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* cancelButton() const { return m_cancel; }

public slots:
    void accept() override;

private:
    bool copyToDestination() const;
    bool makeFolder() const;

    QLabel* m_preview;
    QLineEdit* m_fileName;
    QLabel* m_size;
    QPushButton* m_save;
    QPushButton* m_cancel;
    QString m_mimeType;
    QString m_sourcePath;
    QString m_destinationFolder;
    QString m_extension;
    qint64 m_contentSize = 0;
    bool m_folderMode = false;
};
