// A window that reaches up into the main window's layer: the build must refuse it.
#include "app/main_window.h"
#include "windows/about_box.h"
