// GDI+ for the controls of the process: started when the first control needs
// it and shut down when the last one lets go, not once per control.
#pragma once

// TRUE when GDI+ runs for the caller, who then calls KivoGdiplusRelease once.
bool KivoGdiplusAcquire();
void KivoGdiplusRelease();
