#pragma once

#include <QList>
#include <QString>

class QWidget;

// One of each contact widget, built from generated data, for showing them off
// in the demo host.
class ContactWidgetsGallery
{
public:
    // Writes a sample contact card into `folder`, stores its contact in the
    // process-wide contacts store (once per process), and returns, parented to
    // `parent`: an address label that resolves the first of its two addresses
    // to that contact, the contact card, and a selectable text. Empty when the
    // card cannot be written.
    static QList<QWidget*> create(const QString& folder, QWidget* parent = nullptr);

    static const QString sampleNumber;
    // The sample card, with a photo, in `folder`; its path, empty when it
    // cannot be written.
    static QString writeSampleCard(const QString& folder);

private:
    static QByteArray samplePhoto();
    static void storeSampleContact();
};
