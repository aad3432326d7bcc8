#pragma once

#include <QString>

// Prepares the web engine before the application object exists: it refuses the local network to
// insecure public pages by itself. The engine refuses to start its sandbox as root; only then is
// the sandbox turned off, with a warning.
void prepareWebEngine();

// Chooses how pages are drawn, once the application object exists and before the first web view.
// Where OpenGL is drawn by the processor (a virtual machine, a remote desktop, a display without a
// graphics driver) the engine's own software compositor shows pages sooner and in less memory than
// an emulated graphics card; a real graphics card keeps drawing them. A backend the user chose
// through the toolkit's own variables is left alone.
void chooseWebRendering();

// Whether an OpenGL renderer name is a processor-drawn one; an empty name means no usable OpenGL.
bool isSoftwareRenderer(const QString &renderer);
