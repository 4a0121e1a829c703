// A shared module in the plug-ins folder without the plug-in entry points.
extern "C" int NotAPluginFunction() { return 42; }
