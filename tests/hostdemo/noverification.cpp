// An ordinary shared library, not a plug-in.
extern "C" __attribute__((visibility("default"))) int answer()
{
    return 42;
}
