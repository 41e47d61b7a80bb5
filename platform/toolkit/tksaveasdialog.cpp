#include "tksaveasdialog.h"

#include "tkstyle.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A name must stay inside the destination folder.
bool isPlainName(const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.'))) {
        qWarning() << "Save as: not a file name:" << name;
        return false;
    }
    return true;
}

} // namespace

TkSaveAsDialog::TkSaveAsDialog(QWidget* parent)
    : QDialog(parent)
    , m_preview(new QLabel(this))
    , m_fileName(new QLineEdit(this))
    , m_size(new QLabel(this))
    , m_save(new QPushButton(tr("Save"), this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("TkSaveAsDialog"));
    tk::setStyleName(this, QStringLiteral("SaveAsDialog"));
    setWindowTitle(tr("Save as"));
    m_preview->setObjectName(QStringLiteral("TkSaveAsDialogPreview"));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->hide();
    m_fileName->setObjectName(QStringLiteral("TkSaveAsDialogFileName"));
    m_size->setObjectName(QStringLiteral("TkSaveAsDialogSize"));
    m_save->setObjectName(QStringLiteral("TkSaveAsDialogSave"));
    m_cancel->setObjectName(QStringLiteral("TkSaveAsDialogCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_preview);
    column->addWidget(m_fileName);
    column->addWidget(m_size);
    column->addLayout(buttons);

    connect(m_save, &QPushButton::clicked, this, &TkSaveAsDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, [this] { done(NotSaved); });
}

void TkSaveAsDialog::setPreview(const QPixmap& preview)
{
    m_preview->setPixmap(preview.scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_preview->show();
}

void TkSaveAsDialog::setDefaultFileName(const QString& baseName)
{
    m_fileName->setText(baseName);
}

void TkSaveAsDialog::setContentSize(qint64 bytes)
{
    m_contentSize = bytes;
    m_size->setText(QLocale().formattedDataSize(bytes));
}

QString TkSaveAsDialog::resultFileName() const
{
    const QString name = m_fileName->text().trimmed();
    if (m_extension.isEmpty() || name.endsWith(QLatin1Char('.') + m_extension)) {
        return name;
    }
    return name + QLatin1Char('.') + m_extension;
}

void TkSaveAsDialog::accept()
{
    if (!(m_folderMode ? makeFolder() : copyToDestination())) {
        done(NotSaved);
        return;
    }
    done(Saved);
}

bool TkSaveAsDialog::makeFolder() const
{
    const QString name = resultFileName();
    if (!isPlainName(name) || !QDir(m_destinationFolder).mkpath(name)) {
        qWarning() << "Save as: cannot create the folder" << name << "in" << m_destinationFolder;
        return false;
    }
    return true;
}

bool TkSaveAsDialog::copyToDestination() const
{
    const QString name = resultFileName();
    if (!isPlainName(name)) {
        return false;
    }
    if (!QDir().mkpath(m_destinationFolder)) {
        qWarning() << "Save as: cannot create the folder" << m_destinationFolder;
        return false;
    }
    QFile source(m_sourcePath);
    const QString target = QDir(m_destinationFolder).filePath(name);
    if (!source.copy(target)) {
        qWarning() << "Save as: cannot copy" << m_sourcePath << "to" << target << ":"
                   << source.errorString();
        return false;
    }
    return true;
}
