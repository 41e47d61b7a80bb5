// A library that claims a Qt build other than the host's.
extern "C" __attribute__((visibility("default"))) const char* qt_plugin_query_verification_data()
{
    return "pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.8.0\ndebug=true\n"
           "buildkey=x86 linux g++-4 full-config";
}
