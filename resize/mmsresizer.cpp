#include "mmsresizer.h"

#include "mmsimagemetadata.h"
#include "mmsjpegscanner.h"
#include "mmsresizevarianttable.h"
#include "resize_debug.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTransform>

namespace {

const QString sizeKey = QStringLiteral("size");
const QString widthKey = QStringLiteral("width");
const QString qualityKey = QStringLiteral("quality");

// A picture within this frame that already fits its budget is sent as it is.
const QSize maximumResolution(1600, 1200);
const int uniqueNameAttempts = 1024;

template <typename Predicate> int findVariantRow(int from, Predicate matches)
{
    const QList<MmsResizeVariant>& table = mmsResizeVariantTable();
    for (int row = from; row < table.size(); ++row) {
        if (matches(table.at(row))) {
            return row;
        }
    }
    return -1;
}

QSize fitInside(const QSize& size, const QSize& frame)
{
    return size.scaled(frame, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

// Turns the pixels upright as the Exif orientation asks; mirrored orientations stay as they are.
QImage rotatedByExif(const QImage& picture, const MmsImageMetadata& metadata)
{
    if (!metadata.isValid()) {
        qCDebug(lcResize) << "[MMS-ATTACHMENT] No Exif data";
        return picture;
    }
    const int angle = metadata.rotation();
    qCDebug(lcResize) << "[MMS-ATTACHMENT] Exif orientation angle" << angle;
    if (angle == 0) {
        return picture;
    }
    qCDebug(lcResize) << "[MMS-ATTACHMENT] Rotate image";
    return picture.transformed(QTransform().rotate(angle), Qt::SmoothTransformation);
}

} // namespace

MmsResizer::MmsResizer(QObject* parent)
    : QObject(parent)
{
}

bool MmsResizer::findResizeVariant(int size, int& width, int& quality) const
{
    const int row = findVariantRow(
        0, [size](const MmsResizeVariant& variant) { return variant.value(sizeKey) <= size; });
    if (row < 0) {
        return false;
    }
    const MmsResizeVariant& variant = mmsResizeVariantTable().at(row);
    width = variant.value(widthKey);
    quality = variant.value(qualityKey);
    qCDebug(lcResize) << "Resize variant selected:" << variant.value(sizeKey) << ", width:" << width
                      << ", quality:" << quality;
    return true;
}

bool MmsResizer::findSmallerResizeVariant(int oldWidth, int oldQuality, int& width,
                                          int& quality) const
{
    const int oldRow = findVariantRow(0, [=](const MmsResizeVariant& variant) {
        return variant.value(widthKey) == oldWidth && variant.value(qualityKey) == oldQuality;
    });
    if (oldRow < 0) {
        qCWarning(lcResize) << "Wrong old width & quality:" << oldWidth << "," << oldQuality;
        return false;
    }
    // Keep the quality and reduce the width first; lower the quality only at the last width.
    int row = findVariantRow(oldRow, [=](const MmsResizeVariant& variant) {
        return variant.value(widthKey) < oldWidth && variant.value(qualityKey) == oldQuality;
    });
    if (row < 0) {
        qCWarning(lcResize) << "Failed to find record for old width & quality:" << oldWidth << ","
                            << oldQuality;
        row = findVariantRow(oldRow, [=](const MmsResizeVariant& variant) {
            return variant.value(widthKey) == oldWidth && variant.value(qualityKey) < oldQuality;
        });
        if (row < 0) {
            return false;
        }
    }
    const MmsResizeVariant& variant = mmsResizeVariantTable().at(row);
    width = variant.value(widthKey);
    quality = variant.value(qualityKey);
    qCDebug(lcResize) << "Resize new variant selected:" << variant.value(sizeKey)
                      << ", width:" << width << ", quality:" << quality;
    return true;
}

QString MmsResizer::generateUniqueFileName(const QString& baseName) const
{
    const QString stem = m_targetDirectory + QLatin1Char('/') + baseName;
    QString candidate = stem + QStringLiteral(".jpg");
    int counter = 1;
    int allowance = uniqueNameAttempts;
    for (; QFile::exists(candidate); ++counter) {
        if (--allowance == 0) {
            break;
        }
        candidate = stem + QStringLiteral("_%1.jpg").arg(counter, 3, 10, QLatin1Char('0'));
        qCDebug(lcResize) << "Try to use" << candidate << "file name;";
    }
    if (counter >= uniqueNameAttempts) {
        qCDebug(lcResize) << "Failed to prepare name for resized file!";
        return QString();
    }
    return candidate;
}

bool MmsResizer::resize(const QString& path, int width, int quality, int limit, int& size,
                        QString& resultPath)
{
    const QFileInfo source(path);
    if (!source.exists()) {
        qCDebug(lcResize)
            << "The resize is supported only for images in current implementation or file removed";
        return false;
    }
    const QString newName = generateUniqueFileName(source.baseName());
    qCDebug(lcResize) << "Resized file name is:" << newName;
    if (newName.isEmpty()) {
        return false;
    }

    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize storedSize = reader.size();
    if (!storedSize.isValid()) {
        qCDebug(lcResize) << "Not a readable picture:" << path << reader.errorString();
        return false;
    }
    const qint64 sourceBytes = source.size();
    int newQuality = quality;
    if (sourceBytes <= limit && size == 0) {
        if (storedSize.width() <= maximumResolution.width() &&
            storedSize.height() <= maximumResolution.height()) {
            resultPath = path;
            size = int(sourceBytes);
            return true;
        }
        qCDebug(lcResize) << "Resizing image to maximum resolution";
        reader.setScaledSize(fitInside(storedSize, maximumResolution));
        newQuality = reader.quality();
    } else if (width < storedSize.width() || width < storedSize.height()) {
        reader.setScaledSize(fitInside(storedSize, QSize(width, width)));
    }

    QFile newFile(newName);
    if (!newFile.open(QIODevice::WriteOnly)) {
        qCDebug(lcResize) << "Failed to create temporary file!";
        return false;
    }
    MmsImageMetadata metadata(path);
    const QImage picture = rotatedByExif(decode(reader, path, size != 0), metadata);
    if (picture.isNull() || !picture.save(&newFile, "JPG", newQuality)) {
        qCDebug(lcResize) << "Failed to save resized file!";
        newFile.remove();
        return false;
    }
    resultPath = newName;
    newFile.close();
    if (metadata.isValid()) {
        // The pixels are upright now.
        metadata.setOrientation(1);
        qCDebug(lcResize) << "[MMS-ATTACHMENT] Writing Exif data to" << newName;
        metadata.write(newName);
    }
    size = int(QFileInfo(newName).size());
    return true;
}

void MmsResizer::startResize(const QStringList& fileNames, int maxSize, const QString& tempFolder)
{
    m_resizedFiles.clear();
    m_targetDirectory = tempFolder;
    if (fileNames.isEmpty()) {
        emit resizeFinished(fileNames, false);
        return;
    }
    const int estimate = maxSize / fileNames.size();
    qCDebug(lcResize) << "[MMS-EDITOR] Estimate maximum size of each images:" << estimate;
    if (estimate == 0) {
        qCDebug(lcResize)
            << "[MMS-EDITOR] The estimate size of each image is so small, resize is not possible!";
        emit resizeFinished(fileNames, false);
        return;
    }
    int width = 0;
    int quality = 0;
    if (!findResizeVariant(estimate, width, quality)) {
        qCDebug(lcResize)
            << "[MMS-EDITOR] There are not apropriate resize variants, failed resize!";
        emit resizeFinished(fileNames, false);
        return;
    }
    // Width and quality carry over: a file that had to step down makes the next one start
    // from the reduced variant. After a failure the later files are still processed but their
    // results are not reported.
    bool success = true;
    for (const QString& fileName : fileNames) {
        QString resultPath;
        const bool resized = resizeToEstimate(fileName, estimate, width, quality, resultPath);
        forgetDecodedPicture();
        success = success && resized;
        if (success) {
            m_resizedFiles.append(resultPath);
        }
    }
    qCDebug(lcResize) << "All attachemnts resized";
    emit resizeFinished(m_resizedFiles, success);
}

bool MmsResizer::resizeToEstimate(const QString& path, int estimate, int& width, int& quality,
                                  QString& resultPath)
{
    int size = 0;
    if (!resize(path, width, quality, estimate, size, resultPath)) {
        qCDebug(lcResize) << "[MMS-EDITOR] Failed to resize attachment";
        return false;
    }
    while (size > estimate) {
        if (!findSmallerResizeVariant(width, quality, width, quality)) {
            qCDebug(lcResize) << "[MMS-EDITOR] Failed to resize attachment, wrong new width & "
                                 "quality.";
            return false;
        }
        if (!resize(path, width, quality, estimate, size, resultPath)) {
            qCDebug(lcResize) << "[MMS-EDITOR] Failed to resize attachment, wrong new resize.";
            return false;
        }
    }
    return true;
}

// The reader has its scaled size set, so the decoder produces the reduced picture directly
// and the full-size picture never exists in memory.
QImage MmsResizer::decode(QImageReader& reader, const QString& path, bool repeatedAttempt)
{
    const QSize wanted = reader.scaledSize().isValid() ? reader.scaledSize() : reader.size();
    if (repeatedAttempt) {
        const QImage earlier = shrinkEarlierPicture(path, wanted);
        if (!earlier.isNull()) {
            return earlier;
        }
    }
    if (reader.format() == "jpeg" && !MmsJpegScanner::isComplete(path)) {
        qCDebug(lcResize) << "Picture data is incomplete:" << path;
        forgetDecodedPicture();
        return QImage();
    }
    QImage picture = reader.read();
    if (picture.isNull()) {
        qCDebug(lcResize) << "Failed to decode picture:" << path << reader.errorString();
    }
    m_decodedPath = path;
    m_decodedPicture = picture;
    return picture;
}

// Reuses the picture of an earlier attempt on the same file when it is at least as large as
// the one wanted now; a null picture otherwise.
QImage MmsResizer::shrinkEarlierPicture(const QString& path, const QSize& wanted) const
{
    if (path != m_decodedPath || m_decodedPicture.isNull() ||
        m_decodedPicture.width() < wanted.width() || m_decodedPicture.height() < wanted.height()) {
        return QImage();
    }
    if (m_decodedPicture.size() == wanted) {
        return m_decodedPicture;
    }
    return m_decodedPicture.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void MmsResizer::forgetDecodedPicture()
{
    m_decodedPath.clear();
    m_decodedPicture = QImage();
}
