#pragma once

#include "mmspipelineflavour.h"

// The headless sender's flavour as its own subsystem will give it.
Q_LOGGING_CATEGORY(lcHeadlessTest, "dravel.sender")

inline MmsPipelineFlavour flavourFor(bool headless)
{
    return headless ? MmsPipelineFlavour::headless(lcHeadlessTest, "[MMS-SENDER]")
                    : MmsPipelineFlavour::editor();
}
