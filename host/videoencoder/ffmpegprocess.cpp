#include "ffmpegprocess.h"

#include <csignal>
#include <sys/prctl.h>

void FfmpegProcess::setupChildProcess()
{
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
}
