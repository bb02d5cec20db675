// Sanitizer builds only: no library is unloaded before the program ends. LeakSanitizer looks for leaks at
// exit, after Qt and Mesa have unloaded their plugins and drivers; memory that such a library still held
// through its own globals would then count as leaked, and a leak inside it could not be named by its
// library for a suppression rule to match.
#include <dlfcn.h>

extern "C" int dlclose(void* /*handle*/)
{
    return 0;
}
