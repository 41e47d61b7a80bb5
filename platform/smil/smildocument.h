#pragma once

#include "smilbody.h"
#include "smilheader.h"

// A SMIL presentation as a model: what SmilParser reads and writes.
class SmilDocument
{
public:
    SmilHeader header;
    SmilBody body;
};
