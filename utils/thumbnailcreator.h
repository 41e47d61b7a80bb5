#pragma once

class Thumbnailer;

// The one thumbnail client of the process.
class ThumbnailCreator
{
public:
    // Created on the first call, alive until exit.
    static Thumbnailer* thumbnailer();
};
