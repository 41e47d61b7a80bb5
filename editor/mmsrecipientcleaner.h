#pragma once

#include "mmspipelineflavour.h"

#include <QStringList>

// Makes the address lists of a send fit to go: each party once over To, Cc and Bcc,
// and phone numbers without their punctuation.
class MmsRecipientCleaner
{
public:
    // Takes out of `list` every address that matches one in `seen` as the same party
    // (phone numbers compared as numbers) and adds the others to `seen`; so the first
    // occurrence wins, also within `list`.
    static void smartDuplicatesRemoval(QStringList& seen, QStringList& list);
    // Phone numbers lose "()-. "; "Name <address>" becomes the bare address.
    static void cleanPhoneNumbers(QStringList& list);
    // The lists of the header: each address once over To, then Cc, then Bcc, logged
    // as "Initial TO list:", "Initial CC list:" and "BCC list:"; with `cleanNumbers`
    // each list is then cleaned.
    static void removeDuplicates(const MmsPipelineFlavour& flavour, QStringList& to,
                                 QStringList& cc, QStringList& bcc, bool cleanNumbers);
    // The addresses counted against the recipient limit: all three lists, exact
    // repeats dropped, then cleaned.
    static QStringList countedAddresses(const QStringList& to, const QStringList& cc,
                                        const QStringList& bcc);
};
