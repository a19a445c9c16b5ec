// The one application object of the program.
#include "app/saver_app.h"

SaverApp theApp;
