#pragma once

#include "smildocument.h"

#include <QStringList>

// A SMIL document model as lines of text, so tests compare whole trees readably:
//   region Text width=100% height=30% fit=scroll
//   seq dur=10s
//    par dur=5s
//     text cid:1 @Text
class SmilTreeDump
{
public:
    static QStringList describe(const SmilDocument& document);

private:
    static QString describe(const SmilRegion& region);
    static QString describe(const SmilRef& ref, int depth);
    static void describe(const SmilNode& node, int depth, QStringList& lines);
};
