#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

class QImageReader;
class MmsImageMetadata;

// Shrinks pictures to a byte budget: picks a variant of the resize table, re-encodes each
// picture as JPEG into the target directory and steps down through the table until the result
// fits. Lives on the resize thread; its fields are touched only there.
class MmsResizer : public QObject
{
    Q_OBJECT

public:
    explicit MmsResizer(QObject* parent = nullptr);

    bool findResizeVariant(int size, int& width, int& quality) const;
    bool findSmallerResizeVariant(int oldWidth, int oldQuality, int& width, int& quality) const;
    // size is 0 on the first attempt for a file, otherwise the size the previous attempt
    // reached; on success it is the size of the file named by resultPath.
    bool resize(const QString& path, int width, int quality, int limit, int& size,
                QString& resultPath);
    QString generateUniqueFileName(const QString& baseName) const;

public slots:
    void startResize(const QStringList& fileNames, int maxSize, const QString& tempFolder);

signals:
    void resizeFinished(QStringList newFileNames, bool status);

private:
    bool resizeToEstimate(const QString& path, int estimate, int& width, int& quality,
                          QString& resultPath);
    QImage decode(QImageReader& reader, const QString& path, bool repeatedAttempt);
    QImage shrinkEarlierPicture(const QString& path, const QSize& wanted) const;
    void forgetDecodedPicture();

    QString m_targetDirectory;
    QStringList m_resizedFiles;
    // The picture last decoded from a file: a step-down to a smaller width shrinks it in memory
    // instead of decoding the source again. Always shrunk from this one, never from an earlier
    // shrink, so the results stay as close as possible to a fresh scaled decode.
    QString m_decodedPath;
    QImage m_decodedPicture;
};
