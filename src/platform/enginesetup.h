#pragma once

// Prepares the web engine before the application object exists. The engine refuses to start
// its sandbox as root; only then is the sandbox turned off, with a warning.
void prepareWebEngine();
