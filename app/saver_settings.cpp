#include "app/saver_settings.h"

Settings SaverSettings;
