#include "app/saver_app.h"

// The setup dialog comes with its own change; until then the setup road ends at once.
void SaverApp::RunSetup() {}
