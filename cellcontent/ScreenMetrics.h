// The screen's logical pixels per inch, held for the whole process.
//
// The control stores the values of the device context it draws on before it
// draws; the font element converts between points and pixels with the
// vertical value. Until the control has set them both read 96, the usual
// screen resolution, so fonts converted before the first paint still get
// sensible sizes. A value of 0 or less given to a setter is ignored.
#pragma once

int GetScreenPixelsPerInchY();
int GetScreenPixelsPerInchX();
void SetScreenPixelsPerInchY(int pixelsPerInch);
void SetScreenPixelsPerInchX(int pixelsPerInch);
