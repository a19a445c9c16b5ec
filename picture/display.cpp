#include "picture/display.h"

void InitDisplay() {}
