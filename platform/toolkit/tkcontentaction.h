#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// The action that opens a file: the default one for a file (by its content)
// or for a file of a given MIME type. An action is valid when the desktop can
// open the file; triggering it hands the file to the desktop's viewer.
class TkContentAction
{
public:
    using Launcher = std::function<bool(const QUrl&)>;

    TkContentAction() = default;

    static TkContentAction defaultAction(const QUrl& file);
    static TkContentAction defaultAction(const QUrl& file, const QString& mimeType);

    bool isValid() const { return !m_file.isEmpty(); }
    QUrl file() const { return m_file; }
    QString mimeType() const { return m_mimeType; }

    // Opens the file; false when the action is invalid or the desktop refused.
    bool trigger() const;

    // The desktop's opener (QDesktopServices::openUrl); tests install their own.
    // An empty launcher restores the desktop's.
    static void setLauncher(const Launcher& launcher);

private:
    TkContentAction(const QUrl& file, const QString& mimeType);

    QUrl m_file;
    QString m_mimeType;
};
