#include "tkcontentaction.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>

namespace {

TkContentAction::Launcher& launcher()
{
    static TkContentAction::Launcher opener;
    return opener;
}

// Types the desktop has a viewer for: anything it can name, but not unnamed
// binary data and not the "X-" pseudo types that only the phone's own
// applications registered.
bool hasViewer(const QString& mimeType)
{
    const QMimeType type = QMimeDatabase().mimeTypeForName(mimeType);
    return type.isValid() && !type.isDefault();
}

bool isReadableFile(const QUrl& file)
{
    return file.isLocalFile() && QFileInfo(file.toLocalFile()).isReadable() &&
           QFileInfo(file.toLocalFile()).isFile();
}

} // namespace

TkContentAction::TkContentAction(const QUrl& file, const QString& mimeType)
    : m_file(file)
    , m_mimeType(mimeType)
{
}

TkContentAction TkContentAction::defaultAction(const QUrl& file)
{
    if (!isReadableFile(file)) {
        return TkContentAction();
    }
    return defaultAction(file, QMimeDatabase().mimeTypeForFile(file.toLocalFile()).name());
}

TkContentAction TkContentAction::defaultAction(const QUrl& file, const QString& mimeType)
{
    if (!isReadableFile(file) || !hasViewer(mimeType)) {
        return TkContentAction();
    }
    return TkContentAction(file, mimeType);
}

bool TkContentAction::trigger() const
{
    if (!isValid()) {
        return false;
    }
    return launcher() ? launcher()(m_file) : QDesktopServices::openUrl(m_file);
}

void TkContentAction::setLauncher(const Launcher& opener)
{
    launcher() = opener;
}
